#pragma once

#include "calendar/calendarfile.h"
#include "export/csvwriter.h"
#include "marketdata/fundgrid.h"
#include "portfolio/portfoliovaluation.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

// What each entry of the Export menu writes, composed from what the pages already read: pure
// functions from rows and page figures to tables, so that every file can be checked without a
// window.
namespace ExportTables {

// "corvane-portfolio-2026-12-09.csv".
QString defaultFileName(const QString &subject, QDate today);
// The file beside `path` that carries a second table: "x.csv" → "x-transactions.csv".
QString companionPath(const QString &path, const QString &suffix);

Csv::Table holdings(const QList<PortfolioValuation::Holding> &holdings);
Csv::Table transactions(const QList<PortfolioValuation::Transaction> &transactions);

// The grid as shown: its columns in their order, its rows in their order. Cells that are plain
// numbers (digit grouping allowed) become numbers; the rest ("+1.25%", "583.2B") stay text.
Csv::Table fundamentals(const FundGrid::Table &grid);

// The day of the week starting on `sunday` that a calendar date such as "Mon Nov 23" names;
// invalid when none of the seven does.
QDate calendarDay(const QString &eventDate, QDate sunday);
Csv::Table calendar(const QList<CalendarFile::Event> &events, QDate sunday);

// The stored headlines of the followed symbols: symbol, feed title, pubDate (ms), title, url.
QString headlinesQuery();
Csv::Table headlines(const QList<QVariantList> &rows);

// Every stored market report, newest first: pubDate (ms), title, category, url.
QString wrapsQuery();
Csv::Table wraps(const QList<QVariantList> &rows);

// A stored time in milliseconds since the epoch as local date and time; null when it is not a
// number.
QVariant localTimeOfMs(const QVariant &milliseconds);

} // namespace ExportTables
