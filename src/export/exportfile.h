#pragma once

#include "export/csvwriter.h"

#include <QString>

#include <functional>

// Every export file is written through QSaveFile: the rows go to a temporary file beside the
// chosen one, which takes the chosen name only once everything is written. A failure (disk
// full, no permission, a cancel) leaves an older file of that name as it was.
namespace ExportFile {

struct Result
{
    bool ok = false;
    bool cancelled = false;
    qint64 rows = 0;
    QString error; // what went wrong, for the message naming the file
};

// What fills the file; returns false to give up (a cancel, or a read that failed: then it sets
// `error`).
using Fill = std::function<bool(Csv::Writer &writer, QString *error)>;

Result write(const QString &path, const Fill &fill);
Result writeTable(const QString &path, const Csv::Table &table);

} // namespace ExportFile
