#pragma once

#include "simservice.h"

#include <QList>
#include <QPair>

// The quote service's YQL endpoint: /v1/public/yql?q=SELECT * FROM yahoo.finance.quotes where
// symbol in ("A","B")&env=... answered with one <quote> of the 82 fields per symbol.
class QuoteService : public SimService
{
public:
    bool handles(const SimRequest &request) const override;
    QHttpServerResponse respond(const SimRequest &request) override;

    // The symbols named in a statement's "in (...)" list, in order, empty items left out.
    static QStringList symbolsOfStatement(const QString &statement);
    // Field code and value of every quote field, in reply order. Unknown symbols get empty values.
    static QList<QPair<QString, QString>> quoteValues(const QString &symbol, qint64 now);
    // The reply document for the symbols.
    static QByteArray replyDocument(const QStringList &symbols, const QDateTime &now);
};
