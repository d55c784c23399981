#pragma once

#include "export/exportfile.h"

#include <QString>
#include <QStringList>

#include <functional>

class GDatabaseClass;

// A symbol's stored price history as date, open, high, low, close, volume, oldest first. Rows are
// streamed from the query to the file, so two hundred thousand of them need neither a list in
// memory nor the GUI thread.
namespace HistoryExport {

// Called every few thousand rows with the rows written and the rows there are; false cancels.
using Progress = std::function<bool(qint64 written, qint64 total)>;

QStringList header();

// Symbols with stored history, in order: what the symbol chooser offers.
QStringList symbolsWithHistory(GDatabaseClass &store);

// Reads on the named connection, which must belong to the calling thread.
ExportFile::Result writeFile(const QString &connectionName, const QString &symbol,
                             const QString &path, const Progress &progress = {});

inline constexpr int ProgressEveryRows = 8192;

} // namespace HistoryExport
