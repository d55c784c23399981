#pragma once

#include <QString>
#include <QStringList>

class GDatabaseClass;

// Which quote fields the fundamentals grid shows, and in which order: shown fields have the
// positions 1, 2, 3 ..., hidden ones 99.
namespace FieldOrder {

constexpr int HiddenPosition = 99;

QStringList hiddenFields(GDatabaseClass &store); // by name
QStringList shownFields(GDatabaseClass &store);  // by position

// The statements that rewrite every position from the shown list, to be run in one transaction.
QStringList positionStatements(const QStringList &shown);
// The same as one script, between "BEGIN TRANSACTION;" and "END TRANSACTION;".
QStringList saveStatements(const QStringList &shown);

// Runs positionStatements through GDatabaseClass::runInTransaction: false, and the stored order
// unchanged, when a statement failed.
bool save(GDatabaseClass &store, const QStringList &shown);

} // namespace FieldOrder
