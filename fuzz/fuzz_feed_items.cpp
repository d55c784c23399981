// Feed documents as each reader takes them: per-symbol news, general feeds, market reports,
// with links cleaned and dates read.
#include "news/feeditems.h"

#include <QTimeZone>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    QDomDocument document;
    if (!FeedItems::parse(body, document))
        return 0;
    static const QDateTime downloadTime(QDate(2024, 3, 5), QTime(12, 0), QTimeZone::utc());
    for (const FeedItems::FeedKind kind :
         {FeedItems::FeedKind::SymbolNews, FeedItems::FeedKind::GeneralFeed,
          FeedItems::FeedKind::MarketReport}) {
        for (const FeedItems::Item &item : FeedItems::readItems(document, kind, downloadTime))
            (void)FeedItems::cleanLink(item.link);
    }
    (void)FeedItems::readChannel(document);
    return 0;
}
