#pragma once

#include "support/marketdatafixture.h"

#include <QString>

#include <functional>

class QWidget;

// A temporary profile with an open main store holding a few symbols and quote fields, and
// builders for alerts and their snapshot values.
class AlertFixture
{
public:
    AlertFixture();

    bool open();
    GDatabaseClass &store() { return data.store(); }
    MarketDataFixture &marketData() { return data; }
    MessageBoxAnswers &boxes() { return data.storeFixture().boxes(); }
    QStringList rows(const QString &query) { return data.rows(query); }
    int count(const QString &table) { return data.count(table); }

    struct Alert
    {
        QString symbol = QStringLiteral("AAPL");
        QString column = QStringLiteral("Last");
        int compare = 0;
        QString value = QStringLiteral("100");
        int popup = 0;
        int email = 0;
        int sms = 0;
        int enabled = 2;
    };
    // Stores the alert and returns its id.
    int addAlert(const Alert &alert);
    // Replaces the symbol's snapshot value of a quote field (by its code).
    void setQuote(const QString &symbol, const QString &code, const QString &value);
    QString alertColumn(int id, const QString &column);

    // Runs `action` on the next modal window once it is up. The action must close it; a window
    // still open after five seconds is rejected so that no test waits for ever.
    static void whenModalShown(std::function<void(QWidget *)> action);

private:
    MarketDataFixture data;
};
