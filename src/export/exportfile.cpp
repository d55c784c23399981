#include "export/exportfile.h"

#include <QSaveFile>

namespace ExportFile {

Result write(const QString &path, const Fill &fill)
{
    Result result;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    Csv::Writer writer(file);
    QString fillError;
    const bool filled = fill(writer, &fillError);
    result.rows = writer.rowsWritten();
    if (!writer.flush() || writer.failed()) {
        result.error = writer.errorString();
        file.cancelWriting();
        file.commit(); // removes the temporary file
        return result;
    }
    if (!filled) {
        result.cancelled = fillError.isEmpty();
        result.error = fillError;
        file.cancelWriting();
        file.commit();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

Result writeTable(const QString &path, const Csv::Table &table)
{
    return write(path, [&table](Csv::Writer &writer, QString *) {
        writer.table(table);
        return !writer.failed();
    });
}

} // namespace ExportFile
