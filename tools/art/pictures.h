#pragma once

// Brand pictures: the logo, the splash screen, the chart watermark, the settings emblem,
// and the small glyphs the style sheet uses (arrows, check mark).

#include <QColor>
#include <QImage>
#include <QRectF>

class QPainter;

namespace art {

// The Corvane mark (a "C" with a rising price line) inside `box`. With a valid `mono`
// colour everything is drawn in that colour (for the watermark).
void drawMark(QPainter &p, const QRectF &box, const QColor &mono = QColor());

QImage logoPicture();      // 170x36, for the 40-pixel bar atop the home page
QImage splashPicture();    // 480x300
QImage watermarkPicture(); // faint, mostly transparent
QImage settingsPicture();  // 100x100 gear emblem
QImage arrowGlyph(int rotationDeg, const QColor &colour); // 12x12, pointing down at 0
QImage checkGlyph(const QColor &colour);                  // 12x12

} // namespace art
