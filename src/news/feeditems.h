#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QDomDocument>
#include <QList>
#include <QString>
#include <QStringList>

// The rules every feed reader of the application applies to an RSS document: where the items are,
// how an item's fields are read, how its link and date are made usable. Each reader picks the
// fields and link treatment it needs (FeedKind); nothing here touches the store or the network.
namespace FeedItems {

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
    QString content;    // "content:encoded", market reports only
    QString category;   // market reports only
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

// Item elements among the siblings that start at the first child of the document element's first
// child (the children of an RSS 2.0 "channel"). Items elsewhere and Atom entries are not found.
QList<QDomNode> itemNodes(const QDomDocument &document);

// Reads every item of the document by the reader's rules. Dates that cannot be read become
// downloadTime.
QList<Item> readItems(const QDomDocument &document, FeedKind kind, const QDateTime &downloadTime);

// Title, link and description of the channel (the siblings walked as for items).
Channel readChannel(const QDomDocument &document);

// Link of a per-symbol item: the link, else the guid, else the url field.
QString chooseLink(const QString &link, const QString &guid, const QString &url);

// Reduces a per-symbol item's link to the article address: "%3A" back to ":", the address after
// "*http" or "=http" kept, white space trimmed, percent escapes decoded.
QString cleanLink(QString link);

// "%3A" back to ":" and nothing else (general feeds and reports).
QString restoreColons(QString link);

// Reads an RFC 822 date ("Tue, 04 Mar 2025 14:05:00 -0500") into milliseconds since the epoch.
// The zone is honoured (numeric offsets and GMT, UT, Z, EST, EDT, CST, CDT, MST, MDT, PST, PDT);
// without one the wall-clock time is taken as local time. Returns false when the text cannot be
// read.
bool readDate(const QString &text, qint64 *milliseconds);

// readDate, or downloadTime when the date cannot be read.
qint64 dateValue(const QString &text, const QDateTime &downloadTime);

} // namespace FeedItems
