#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class GDatabaseClass;

// The chart options every chart page shares, kept in the config table: restored when a page is
// built and saved at each drawing, so the last page to draw wins.
class ChartOptions
{
public:
    // The keys in the order they are saved.
    static const QStringList &keys();

    static ChartOptions load(GDatabaseClass &store);
    // One transaction with one INSERT OR REPLACE per key, all or nothing: false (and the stored
    // options as they were) when a write is refused.
    bool save(GDatabaseClass &store) const;

    int value(const QString &key) const { return values.value(key, 0); }
    void setValue(const QString &key, int value) { values.insert(key, value); }

private:
    QHash<QString, int> values;
};
