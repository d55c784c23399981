#pragma once
// A PNG encoder for rendered charts: rows filtered by their difference to the row above (which
// suits gradients and long lines) and deflated at the fastest level, three channels when the
// picture is opaque. It exists because a general-purpose writer tries every filter on every row
// and spends more time on a chart's picture than drawing it did.

#include <QByteArray>
#include <QImage>

namespace PngEncoder {

// The picture as a PNG file's bytes; empty for a null picture.
QByteArray encode(const QImage &image);

} // namespace PngEncoder
