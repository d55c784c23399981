#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDomDocument>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The rules every feed reader of the application applies to a feed document, RSS 2.0 or Atom 1.0:
// where the items are, how an item's fields are read, how its link and date are made usable. Each
// reader picks the fields and link treatment it needs (FeedKind); nothing here touches the store
// or the network.
namespace FeedItems {

// The category the Reports page lists. A report filed under it among other categories and tags
// is stored under it.
inline const QString ListedReportCategory = QStringLiteral("MarketReports");

// The readers differ only in the fields they read and in how they treat the link.
enum class FeedKind
{
    SymbolNews,   // per-symbol templates: guid/url stand in for a missing link, links unwrapped
    GeneralFeed,  // feed reader: link only gets its "%3A" restored
    MarketReport, // report feed: as GeneralFeed, plus the article body and category
};

struct Item
{
    QString title;
    QString link;
    QString description;
    qint64 pubDate = 0; // milliseconds since the Unix epoch
    QString content;    // "content:encoded" (Atom: content), market reports only
    QString category;   // market reports only: ListedReportCategory when among the item's
                        // categories, else the first
};

struct Channel
{
    QString title;
    QString link;
    QString description;
    QStringList nodeNames; // the channel's child node names in order, for the debug log
};

// Parses a reply body as XML from its bytes, so the declared encoding (UTF-8 by default) is
// honoured. Bytes after a zero byte are not part of the document. No namespace processing, so
// "content:encoded" keeps its prefixed name.
bool parse(const QByteArray &body, QDomDocument &document, QString *error = nullptr);

// The value of a field element: the value of its own first child when that child is text or
// CDATA, empty otherwise (markup inside a field yields nothing).
QString fieldValue(const QDomNode &field);

// True when the document element is an Atom "feed" (with or without a namespace prefix).
bool isAtom(const QDomDocument &document);

// True for an RSS ("rss") or Atom document; any other XML, such as a web page, is no feed.
bool isFeed(const QDomDocument &document);

// The item nodes: of RSS, the "item" elements among the siblings that start at the first child of
// the document element's first child (the children of "channel"), items elsewhere not found; of
// Atom, the "entry" children of "feed".
QList<QDomNode> itemNodes(const QDomDocument &document);

// Reads every item of the document by the reader's rules. Dates that cannot be read become
// downloadTime; a zone name that is not known is logged once per document.
QList<Item> readItems(const QDomDocument &document, FeedKind kind, const QDateTime &downloadTime);

// Title, link and description of the channel (the siblings walked as for items); of an Atom feed,
// its title, alternate link and subtitle.
Channel readChannel(const QDomDocument &document);

// Of an item's categories, ListedReportCategory when it is among them, else the first.
QString chooseCategory(const QStringList &categories);

// Link of a per-symbol item: the link, else the guid, else the url field.
QString chooseLink(const QString &link, const QString &guid, const QString &url);

// Reduces a per-symbol item's link to the article address: "%3A" back to ":", the address after
// "*http" or "=http" kept, white space trimmed, percent escapes decoded.
QString cleanLink(QString link);

// "%3A" back to ":" and nothing else (general feeds and reports).
QString restoreColons(QString link);

// Offset from UTC in minutes of a zone name feeds write after the time ("GMT", "EDT", "CET",
// "JST", ...), nothing when the name is not known. Where a name means more than one zone, the one
// financial feeds mean: CST is US Central, IST India, BST British Summer Time.
std::optional<int> zoneOffsetMinutes(const QString &zone);

// Reads an RFC 822 date ("Tue, 04 Mar 2025 14:05:00 -0500") or an RFC 3339 one
// ("2025-03-04T14:05:00-05:00", as Atom writes them) into milliseconds since the epoch. The zone is
// honoured (numeric offsets and the names zoneOffsetMinutes knows); without one, or with a name it
// does not know, the wall-clock time is taken as local time, and an unknown name is put in
// unknownZone. Returns false when the text cannot be read.
bool readDate(const QString &text, qint64 *milliseconds, QString *unknownZone = nullptr);

// readDate, or downloadTime when the date cannot be read.
qint64 dateValue(const QString &text, const QDateTime &downloadTime);

} // namespace FeedItems
