#pragma once

#include <QString>

// Text spliced into SQL between single quotes. The statements of this application are plain
// text, so an apostrophe in a company name or a title would otherwise end the literal early and
// the row would be lost.
QString sqlQuoted(const QString &text);  // 'O''Reilly'
QString sqlEscaped(const QString &text); // O''Reilly (for templates that add the quotes)

// Removes every "'" and "|" from outside text before it is stored: "|" separates the columns of
// a row string and must never appear inside a stored value.
QString stripSqlDelimiters(QString text);

// Outside text as it may be stored where row strings will show it: every "|" removed.
QString rowValue(QString text);

// Outside text that keeps its apostrophes but, being read back in row strings, loses every "|":
// quoted as sqlQuoted does.
QString sqlQuotedRowValue(QString text);

// True when the text is a plain decimal number that may stand bare in a statement.
bool isSqlNumber(const QString &text);
