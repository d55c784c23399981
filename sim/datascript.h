#pragma once

#include <QString>

// The first-run data script served as /Downloads/Data.txt: followed symbols, quote fields, news
// templates, general feeds and a watchlist. Feed addresses point back at this simulator.
QString dataScript(const QString &baseUrl);
