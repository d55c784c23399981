#pragma once
// Reads an image map made by the engine and answers which hot spot lies under a point and what
// its attributes are. A hot spot's href is split into "path" (before "?") and its query
// parameters; other attributes ("title", ...) keep their names.

#include "imagemap.h"

#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <utility>
#include <vector>

class ImageMapHandler
{
public:
    explicit ImageMapHandler(const QString &imageMap);
    // The same as reading the map text of the layers one after the other, without writing it:
    // an area's tag is written only when its attributes are asked for. The layers' chart must
    // outlive the handler (a viewer drops its handler when it is given another chart).
    explicit ImageMapHandler(std::vector<ImageMap::LayerAreas> layers);

    // Number (1-based) of the first hot spot under the point, 0 for none. It becomes the
    // current hot spot whose attributes getValue reads.
    int getHotSpot(double x, double y);
    int currentHotSpot() const { return m_current; }
    int getHotSpotCount() const { return static_cast<int>(m_areas.size()); }

    // Attribute of the current hot spot; a null string when absent.
    QString getValue(const QString &key) const;
    // Attributes of the current hot spot by position; null strings past the end.
    QString getKey(int i) const;
    QString getValue(int i) const;
    int getAttributeCount() const;
    const std::vector<std::pair<QString, QString>> &attributes() const;

private:
    struct Area
    {
        enum Shape
        {
            Rect,
            Circle,
            Poly,
            Default
        } shape = Rect;
        QRectF bounds; // rect, or circle/polygon bounds
        double cx = 0, cy = 0, r = 0;
        QPolygonF poly;
        qsizetype tagStart = 0, tagEnd = 0; // the tag's text in the map, read when needed
        int layer = -1, ordinal = 0;        // or the area's layer and its number there
        bool contains(double x, double y) const;
    };
    void parse();
    void index();
    // Attributes of one area, read from its tag.
    std::vector<std::pair<QString, QString>> readAttributes(const Area &a) const;
    static std::vector<std::pair<QString, QString>>
    attributesOf(QStringView text, qsizetype tagStart, qsizetype tagEnd);

    QString m_map;
    std::vector<ImageMap::LayerAreas> m_layers;
    std::vector<Area> m_areas;
    mutable int m_cachedFor = 0;
    mutable std::vector<std::pair<QString, QString>> m_cached;
    // Areas by column of m_cellWidth pixels, in map order.
    std::vector<std::vector<int>> m_columns;
    std::vector<int> m_wide; // default areas and areas without usable bounds
    double m_minX = 0;
    double m_cellWidth = 8;
    int m_current = 0;
};
