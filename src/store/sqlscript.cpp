#include "store/sqlscript.h"

QStringList sqlScriptStatements(const QStringList &lines)
{
    QStringList statements;
    QString buffer;
    for (const QString &line : lines) {
        buffer += line;
        if (buffer.endsWith(QLatin1Char(';'))) {
            statements << buffer;
            buffer.clear();
        }
    }
    return statements;
}
