#include "chartpictureservice.h"

#include "newsgenerator.h"
#include "pricewalk.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Width = 340;
constexpr int Height = 200;

struct Bar
{
    double open, high, low, close, volume;
};

QString timeLabel(const QString &time)
{
    if (time == QLatin1String("5d"))
        return QStringLiteral("5 days");
    if (time == QLatin1String("3m"))
        return QStringLiteral("3 months");
    if (time == QLatin1String("6m"))
        return QStringLiteral("6 months");
    return QStringLiteral("1 day");
}

void append(std::vector<Bar> &bars, const QList<PriceWalk::Bar> &walked)
{
    for (const PriceWalk::Bar &bar : walked)
        bars.push_back({bar.open, bar.high, bar.low, bar.close, double(bar.volume)});
}

// The same prices the quote and history services give for the symbol.
std::vector<Bar> makeBars(const QString &symbol, const QString &time, const QDateTime &now)
{
    const PriceWalk walk(symbol);
    const qint64 seconds = now.toSecsSinceEpoch();
    std::vector<Bar> bars;
    if (time == QLatin1String("3m") || time == QLatin1String("6m")) {
        const int months = time == QLatin1String("3m") ? 3 : 6;
        append(bars, walk.dailyBars(now.date().addMonths(-months), now.date(), seconds));
        return bars;
    }
    QDate session = PriceWalk::currentSession(seconds);
    QList<QDate> days{session};
    if (time == QLatin1String("5d")) {
        while (days.size() < 5)
            days.prepend(PriceWalk::previousTradingDay(days.first()));
    }
    for (const QDate &day : days)
        append(bars, walk.intradayBars(day, time == QLatin1String("5d") ? 1800 : 300, seconds));
    if (bars.size() < 2) { // the session has only just opened: show the one before as well
        std::vector<Bar> earlier;
        append(earlier, walk.intradayBars(PriceWalk::previousTradingDay(session), 300, seconds));
        bars.insert(bars.begin(), earlier.begin(), earlier.end());
    }
    return bars;
}

std::vector<double> parabolicSar(const std::vector<Bar> &bars)
{
    std::vector<double> sar(bars.size(), 0.0);
    if (bars.empty())
        return sar;
    bool rising = true;
    double acceleration = 0.02;
    double extreme = bars[0].high;
    sar[0] = bars[0].low;
    for (size_t i = 1; i < bars.size(); ++i) {
        double next = sar[i - 1] + acceleration * (extreme - sar[i - 1]);
        if (rising) {
            if (bars[i].low < next) {
                rising = false;
                next = extreme;
                extreme = bars[i].low;
                acceleration = 0.02;
            } else if (bars[i].high > extreme) {
                extreme = bars[i].high;
                acceleration = std::min(0.2, acceleration + 0.02);
            }
        } else {
            if (bars[i].high > next) {
                rising = true;
                next = extreme;
                extreme = bars[i].high;
                acceleration = 0.02;
            } else if (bars[i].low < extreme) {
                extreme = bars[i].low;
                acceleration = std::min(0.2, acceleration + 0.02);
            }
        }
        sar[i] = next;
    }
    return sar;
}

} // namespace

bool ChartPictureService::handles(const SimRequest &request) const
{
    return request.path == QLatin1String("/z");
}

QHttpServerResponse ChartPictureService::respond(const SimRequest &request)
{
    const auto value = [&request](const char *key, const char *fallback) {
        const QString text =
            request.query.queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded);
        return text.isEmpty() ? QString::fromLatin1(fallback) : text;
    };
    const QImage image =
        paint(request.query.queryItemValue(QStringLiteral("s"), QUrl::FullyDecoded).toUpper(),
              value("q", "l"), value("t", "1d"), value("p", ""), request.now);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return textResponse("image/png", png);
}

QImage ChartPictureService::paint(const QString &symbol, const QString &type, const QString &time,
                                  const QString &overlay, const QDateTime &now)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(QColor(0xfb, 0xfc, 0xfe));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);

    if (symbol.isEmpty()) {
        painter.setPen(QColor(0x80, 0x88, 0x90));
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("No symbol chosen"));
        return image;
    }

    const std::vector<Bar> bars = makeBars(symbol, time, now);
    if (bars.empty()) {
        painter.setPen(QColor(0x80, 0x88, 0x90));
        painter.drawText(image.rect(), Qt::AlignCenter,
                         QStringLiteral("No prices for %1").arg(symbol));
        return image;
    }
    const bool withVolume = overlay == QLatin1String("v");
    const QRectF plot(6, 18, Width - 52, Height - 18 - 16);
    const QRectF prices = withVolume ? plot.adjusted(0, 0, 0, -plot.height() * 0.25) : plot;

    // Bollinger bands widen the price range they need.
    std::vector<double> middle(bars.size()), upper(bars.size()), lower(bars.size());
    for (size_t i = 0; i < bars.size(); ++i) {
        const size_t first = i >= 19 ? i - 19 : 0;
        double sum = 0, squares = 0;
        for (size_t j = first; j <= i; ++j) {
            sum += bars[j].close;
            squares += bars[j].close * bars[j].close;
        }
        const double n = double(i - first + 1);
        middle[i] = sum / n;
        const double deviation = std::sqrt(std::max(0.0, squares / n - middle[i] * middle[i]));
        upper[i] = middle[i] + 2 * deviation;
        lower[i] = middle[i] - 2 * deviation;
    }
    double low = bars.front().low, high = bars.front().high, maxVolume = 0;
    for (size_t i = 0; i < bars.size(); ++i) {
        low = std::min(low, bars[i].low);
        high = std::max(high, bars[i].high);
        maxVolume = std::max(maxVolume, bars[i].volume);
        if (overlay == QLatin1String("b")) {
            low = std::min(low, lower[i]);
            high = std::max(high, upper[i]);
        }
    }
    const double margin = (high - low) * 0.05 + 0.01;
    low -= margin;
    high += margin;
    const double slot = plot.width() / double(bars.size());
    const auto x = [&](size_t i) { return plot.left() + slot * (double(i) + 0.5); };
    const auto y = [&](double price) {
        return prices.bottom() - (price - low) / (high - low) * prices.height();
    };

    // Frame, grid and price labels on the right.
    painter.setPen(QColor(0xe3, 0xe7, 0xec));
    for (int line = 0; line <= 4; ++line) {
        const double price = low + (high - low) * line / 4.0;
        painter.drawLine(QPointF(plot.left(), y(price)), QPointF(plot.right(), y(price)));
        painter.save();
        painter.setPen(QColor(0x55, 0x60, 0x6c));
        painter.drawText(QRectF(plot.right() + 4, y(price) - 7, 44, 14),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(price, 'f', 2));
        painter.restore();
    }
    painter.setPen(QColor(0xb8, 0xc0, 0xc8));
    painter.drawRect(plot);

    if (withVolume) {
        const QRectF volumes(plot.left(), prices.bottom(), plot.width(),
                             plot.bottom() - prices.bottom());
        for (size_t i = 0; i < bars.size(); ++i) {
            const double h = bars[i].volume / maxVolume * (volumes.height() - 2);
            painter.fillRect(QRectF(x(i) - slot * 0.35, volumes.bottom() - h, slot * 0.7, h),
                             bars[i].close >= bars[i].open ? QColor(0x9c, 0xc9, 0xa8)
                                                           : QColor(0xe0, 0xa8, 0xa8));
        }
    }
    if (overlay == QLatin1String("b")) {
        QPainterPath up, down, mid;
        for (size_t i = 0; i < bars.size(); ++i) {
            const QPointF u(x(i), y(upper[i])), d(x(i), y(lower[i])), m(x(i), y(middle[i]));
            if (i == 0) {
                up.moveTo(u);
                down.moveTo(d);
                mid.moveTo(m);
            } else {
                up.lineTo(u);
                down.lineTo(d);
                mid.lineTo(m);
            }
        }
        painter.setPen(QPen(QColor(0x9b, 0x6f, 0xc9), 1));
        painter.drawPath(up);
        painter.drawPath(down);
        painter.setPen(QPen(QColor(0x9b, 0x6f, 0xc9), 1, Qt::DashLine));
        painter.drawPath(mid);
    }

    const QColor rise(0x1f, 0x8a, 0x4c), fall(0xc6, 0x3b, 0x3b);
    if (type == QLatin1String("c") || type == QLatin1String("b")) {
        for (size_t i = 0; i < bars.size(); ++i) {
            const Bar &bar = bars[i];
            const QColor colour = bar.close >= bar.open ? rise : fall;
            painter.setPen(QPen(colour, 1));
            painter.drawLine(QPointF(x(i), y(bar.high)), QPointF(x(i), y(bar.low)));
            if (type == QLatin1String("c")) {
                const QRectF body(x(i) - slot * 0.35, y(std::max(bar.open, bar.close)), slot * 0.7,
                                  std::max(1.0, std::abs(y(bar.open) - y(bar.close))));
                painter.fillRect(body, colour);
            } else {
                painter.drawLine(QPointF(x(i) - slot * 0.4, y(bar.open)),
                                 QPointF(x(i), y(bar.open)));
                painter.drawLine(QPointF(x(i), y(bar.close)),
                                 QPointF(x(i) + slot * 0.4, y(bar.close)));
            }
        }
    } else {
        QPainterPath line;
        for (size_t i = 0; i < bars.size(); ++i) {
            if (i == 0)
                line.moveTo(x(i), y(bars[i].close));
            else
                line.lineTo(x(i), y(bars[i].close));
        }
        painter.setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 1.6));
        painter.drawPath(line);
    }

    if (overlay == QLatin1String("p")) {
        const std::vector<double> sar = parabolicSar(bars);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd9, 0x8a, 0x1c));
        for (size_t i = 1; i < bars.size(); ++i)
            painter.drawEllipse(QPointF(x(i), y(sar[i])), 1.3, 1.3);
    }
    if (overlay == QLatin1String("s")) {
        const size_t at = size_t(NewsGenerator::hashOf(symbol) % bars.size());
        painter.setPen(QColor(0x2b, 0x4a, 0x7a));
        painter.setBrush(QColor(0xdc, 0xe8, 0xf7));
        const QRectF flag(x(at) - 12, plot.top() + 3, 24, 13);
        painter.drawRect(flag);
        painter.drawText(flag, Qt::AlignCenter, QStringLiteral("2:1"));
        painter.drawLine(QPointF(x(at), flag.bottom()), QPointF(x(at), plot.bottom()));
    }

    // Caption: symbol, period, last price and change.
    const double first = bars.front().open, last = bars.back().close;
    const double change = (last / first - 1.0) * 100.0;
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(11);
    painter.setFont(bold);
    painter.setPen(QColor(0x1d, 0x27, 0x33));
    painter.drawText(QPointF(6, 13), symbol);
    painter.setFont(font);
    painter.setPen(change >= 0 ? rise : fall);
    painter.drawText(QRectF(60, 2, Width - 66, 14), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1  %2  %3%4%")
                         .arg(timeLabel(time))
                         .arg(last, 0, 'f', 2)
                         .arg(change >= 0 ? QStringLiteral("+") : QString())
                         .arg(change, 0, 'f', 2));
    painter.setPen(QColor(0x80, 0x88, 0x90));
    painter.drawText(
        QRectF(plot.left(), plot.bottom() + 2, plot.width(), 14), Qt::AlignLeft | Qt::AlignVCenter,
        time == QLatin1String("1d") || time == QLatin1String("5d") ? QStringLiteral("intraday")
                                                                   : QStringLiteral("daily"));
    return image;
}
