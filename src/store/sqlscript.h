#pragma once

#include <QString>
#include <QStringList>

// Statements of a script file: lines are joined without a separator and a statement ends where a
// line ends with ";". Text after the last such line is not a statement and is dropped.
QStringList sqlScriptStatements(const QStringList &lines);
