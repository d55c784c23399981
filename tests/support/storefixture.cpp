#include "support/storefixture.h"

StoreFixture::StoreFixture() : database(std::make_unique<GDatabaseClass>())
{
    answers.answer(QStringLiteral("Populate Database?"), QMessageBox::No);
}

StoreFixture::~StoreFixture() = default;

bool StoreFixture::open()
{
    return database->openDatabase();
}

int StoreFixture::count(const QString &table)
{
    const QStringList result = rows(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return result.isEmpty() ? -1 : result.first().toInt();
}
