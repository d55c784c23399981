#pragma once
// Pixel-for-pixel comparison of a rendered picture with its checked-in copy in tests/golden/.
// Setting CORVANE_UPDATE_GOLDEN=1 rewrites the checked-in copies instead (after a change of the
// drawing made on purpose); the run then passes and the new PNGs go into the commit.

#include <QImage>
#include <QString>

namespace GoldenImage {

// Empty when the picture equals tests/golden/<name>.png pixel for pixel; otherwise what differs
// and where the picture drawn now was saved for a look.
QString mismatch(const QImage &drawn, const QString &name);

// Empty when the families the charts draw with resolve to the DejaVu fonts; otherwise why not.
QString missingFonts();

} // namespace GoldenImage
