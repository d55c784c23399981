#pragma once

#include "store/gdatabaseclass.h"
#include "support/messageboxanswers.h"
#include "support/testprofile.h"

#include <memory>

// A temporary profile with an open store holding the whole schema. The first-run question is
// answered No unless the test scripts another answer before calling open().
class StoreFixture
{
public:
    StoreFixture();
    ~StoreFixture();

    // Opens (and on first run creates) the store; returns openDatabase()'s result.
    bool open();
    GDatabaseClass &store() { return *database; }
    MessageBoxAnswers &boxes() { return answers; }
    TestProfile &profile() { return home; }

    // Rows of a query, as the pages see them.
    QStringList rows(const QString &query) { return database->GetSQLRecords(query); }
    int count(const QString &table);

private:
    TestProfile home;
    MessageBoxAnswers answers;
    std::unique_ptr<GDatabaseClass> database;
};
