#include "store/sqlquoting.h"

#include <QRegularExpression>

QString sqlEscaped(const QString &text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

QString sqlQuoted(const QString &text)
{
    return QLatin1Char('\'') + sqlEscaped(text) + QLatin1Char('\'');
}

QString stripSqlDelimiters(QString text)
{
    text.remove(QLatin1Char('\''));
    text.remove(QLatin1Char('|'));
    return text;
}

QString rowValue(QString text)
{
    text.remove(QLatin1Char('|'));
    return text;
}

QString sqlQuotedRowValue(QString text)
{
    return sqlQuoted(rowValue(std::move(text)));
}

bool isSqlNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?\\s*$"));
    return number.match(text).hasMatch();
}
