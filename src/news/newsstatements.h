#pragma once

#include "news/feeditems.h"

#include <QString>

// SQL text of the news area. Text from a feed is cleaned (apostrophes and bars removed) before it
// goes between quotes; addresses and names that are kept as they are get their apostrophes doubled.
// Feed text is concatenated, never passed through a placeholder, so a "%1" in a title stays as it
// is.
namespace NewsStatements {

// Per-symbol news worker.
QString dueTemplates(qint64 cutOffMs);
QString followedSymbols();
QString advanceTemplate(const QString &id, qint64 nextMs);
QString newsItemInsert(int feedId, const FeedItems::Item &item, const QString &symbol);

// Template manager and template dialog.
QString templateList();
QString templateArticleCount(const QString &id);
QString allArticleCount();
QString setTemplateActive(int checkState, const QString &id);
QString deleteTemplateItems(const QString &id);
QString deleteTemplate(const QString &id);
QString templateById(int id);
QString templateIdByAddress(const QString &address);
QString templateUpdate(int id, const QString &title, const QString &colour, const QString &address,
                       const QString &description);
QString templateInsert(const QString &title, const QString &colour, const QString &address,
                       const QString &description);

// General feed reader.
QString dueFeeds(qint64 nowMs);
QString advanceFeed(const QString &id, qint64 nextMs);
QString feedIdByAddress(const QString &address);
QString moveFeedAddress(const QString &from, const QString &to);
QString rssItemInsert(int feedId, const FeedItems::Item &item);
QString feedInsert(const QString &title, const QString &address, const QString &description);

// Market reports.
QString marketWrapInsert(const FeedItems::Item &item);

} // namespace NewsStatements
