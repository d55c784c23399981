#pragma once

#include <QList>
#include <QString>

// Listed companies, funds and indices the simulated services know.
struct Company
{
    QString symbol;
    QString name;
    QString exchange;        // exchange code ("NMS", "NYQ"), empty for indices and mutual funds
    QString exchangeDisplay; // "NASDAQ", "NYSE", ...
    QString type;            // "S", "E", "I" or "M"
    QString typeDisplay;     // "Equity", "ETF", "Index" or "Fund"
};

const QList<Company> &companies();
const Company *findCompany(const QString &symbol);

// The symbols a new store starts with.
QList<Company> followedCompanies();

// The symbol itself first, then symbols starting with the text, then names containing it.
QList<Company> searchCompanies(const QString &text, int limit = 10);
