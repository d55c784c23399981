#include "colors.h"

#include <QLinearGradient>
#include <mutex>

namespace Colors {
namespace {

struct Gradient
{
    int x1, y1, x2, y2;
    std::vector<GradientStop> stops;
    bool operator==(const Gradient &o) const
    {
        if (x1 != o.x1 || y1 != o.y1 || x2 != o.x2 || y2 != o.y2 || stops.size() != o.stops.size())
            return false;
        for (size_t i = 0; i < stops.size(); ++i)
            if (stops[i].position != o.stops[i].position || stops[i].color != o.stops[i].color)
                return false;
        return true;
    }
};

// Gradients are few and reused from drawing to drawing, so one process-wide table with
// de-duplication stays small.
std::mutex gradientMutex;
std::vector<Gradient> &gradients()
{
    static std::vector<Gradient> table;
    return table;
}

const unsigned dataPalette[] = {0xff3333, 0x33ff33, 0x6666ff, 0xffff00, 0xff66ff, 0x99ffff,
                                0xffcc33, 0xcccccc, 0xcc9999, 0x339966, 0x999900, 0xcc3300,
                                0x669999, 0x993333, 0x006600, 0x990099, 0xff9966, 0x99ff99,
                                0x9999ff, 0xcc6600, 0x33cc33, 0xcc99ff, 0xff6666, 0x99cc66};

bool findGradient(int color, Gradient &out)
{
    std::lock_guard<std::mutex> lock(gradientMutex);
    const unsigned idx = static_cast<unsigned>(color) - static_cast<unsigned>(Chart::GradientBase);
    if (idx >= gradients().size())
        return false;
    out = gradients()[idx];
    return true;
}

} // namespace

int linearGradient(int x1, int y1, int x2, int y2, int startColor, int endColor)
{
    return linearGradient(x1, y1, x2, y2, {{0.0, startColor}, {1.0, endColor}});
}

int linearGradient(int x1, int y1, int x2, int y2, const std::vector<GradientStop> &stops)
{
    Gradient g{x1, y1, x2, y2, stops};
    for (auto &s : g.stops)
        s.color = resolve(s.color);
    std::lock_guard<std::mutex> lock(gradientMutex);
    auto &table = gradients();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i] == g)
            return Chart::GradientBase + static_cast<int>(i);
    if (table.size() >= 0xffff)
        return g.stops.empty() ? Chart::Transparent : g.stops.front().color;
    table.push_back(std::move(g));
    return Chart::GradientBase + static_cast<int>(table.size() - 1);
}

bool isGradient(int color)
{
    const unsigned c = static_cast<unsigned>(color);
    return c >= static_cast<unsigned>(Chart::GradientBase) && c <= 0xfffeffffu;
}

bool isPalette(int color)
{
    return (static_cast<unsigned>(color) & 0xffff0000u) == 0xffff0000u;
}

int resolve(int color)
{
    if (isPalette(color)) {
        switch (color) {
        case Chart::BackgroundColor:
            return 0xffffff;
        case Chart::LineColor:
            return 0x000000;
        case Chart::TextColor:
            return 0x000000;
        case Chart::SameAsMainColor:
            return Chart::Transparent; // callers substitute the main colour before this
        default:
            if (static_cast<unsigned>(color) >= static_cast<unsigned>(Chart::DataColor))
                return dataColor(static_cast<int>(static_cast<unsigned>(color) -
                                                  static_cast<unsigned>(Chart::DataColor)));
            return Chart::Transparent;
        }
    }
    if (isGradient(color)) {
        Gradient g;
        if (findGradient(color, g) && !g.stops.empty())
            return g.stops.front().color;
        return Chart::Transparent;
    }
    return color;
}

bool isInvisible(int color)
{
    if (isGradient(color))
        return false;
    return (static_cast<unsigned>(resolve(color)) >> 24) == 0xffu;
}

QColor toQColor(int color)
{
    const unsigned c = static_cast<unsigned>(resolve(color));
    return QColor(static_cast<int>((c >> 16) & 0xff), static_cast<int>((c >> 8) & 0xff),
                  static_cast<int>(c & 0xff), 255 - static_cast<int>(c >> 24));
}

QBrush toBrush(int color)
{
    if (isGradient(color)) {
        Gradient g;
        if (findGradient(color, g)) {
            QLinearGradient lg(g.x1, g.y1, g.x2, g.y2);
            for (const auto &s : g.stops)
                lg.setColorAt(std::clamp(s.position, 0.0, 1.0), toQColor(s.color));
            lg.setSpread(QGradient::PadSpread);
            return QBrush(lg);
        }
    }
    return QBrush(toQColor(color));
}

int dataColor(int i)
{
    const int n = static_cast<int>(sizeof(dataPalette) / sizeof(dataPalette[0]));
    return static_cast<int>(dataPalette[((i % n) + n) % n]);
}

} // namespace Colors
