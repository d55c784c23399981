#pragma once

#include <QDomNode>
#include <QList>
#include <QString>
#include <QStringList>

// What the RSS and the Atom reader take from one item before the rules that all formats share
// (link choice and clean-up, date, category) turn it into a FeedItems::Item. Internal to the
// feed-item module.
namespace FeedItems::Fields {

struct RawItem
{
    QString title;
    QString link;
    QString guid; // RSS guid, Atom id
    QString url;
    QString description;
    QString date;
    QString content;
    QStringList categories;
};

struct RawChannel
{
    QString title;
    QString link;
    QString description;
    QStringList nodeNames;
};

// Which fields a reader wants beside title, link, description and date.
struct Wanted
{
    bool linkSubstitutes = false; // guid and url
    bool reportFields = false;    // body and categories
};

QList<RawItem> rssItems(const QList<QDomNode> &items, const Wanted &wanted);
RawChannel rssChannel(const QDomDocument &document);

QList<QDomNode> atomEntries(const QDomDocument &document);
QList<RawItem> atomItems(const QDomDocument &document, const QList<QDomNode> &entries,
                         const Wanted &wanted);
RawChannel atomChannel(const QDomDocument &document);

} // namespace FeedItems::Fields
