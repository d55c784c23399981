#include "goldenimage.h"

#include <QDir>
#include <QFontInfo>

namespace GoldenImage {

namespace {

QString goldenPath(const QString &name)
{
    return QDir(QStringLiteral(CORVANE_GOLDEN_DIR)).filePath(name + QStringLiteral(".png"));
}

QString keptForALook(const QImage &drawn, const QString &name)
{
    const QString path = QDir::temp().filePath(name + QStringLiteral("-drawn.png"));
    drawn.save(path);
    return path;
}

} // namespace

QString mismatch(const QImage &drawn, const QString &name)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    if (qEnvironmentVariable("CORVANE_UPDATE_GOLDEN") == QLatin1String("1")) {
        QDir().mkpath(QStringLiteral(CORVANE_GOLDEN_DIR));
        return image.save(goldenPath(name)) ? QString()
                                            : QStringLiteral("cannot write ") + goldenPath(name);
    }
    const QString hint = QStringLiteral(
        " (if the drawing changed on purpose, run again with CORVANE_UPDATE_GOLDEN=1 to rewrite "
        "tests/golden/ and commit the new pictures)");
    QImage expected(goldenPath(name));
    if (expected.isNull())
        return QStringLiteral("no picture at ") + goldenPath(name) + hint;
    expected = expected.convertToFormat(QImage::Format_ARGB32);
    if (expected.size() != image.size()) {
        return QStringLiteral("size %1x%2, expected %3x%4; drawn picture at %5")
                   .arg(image.width())
                   .arg(image.height())
                   .arg(expected.width())
                   .arg(expected.height())
                   .arg(keptForALook(image, name)) +
               hint;
    }
    qint64 differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *a = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const QRgb *b = reinterpret_cast<const QRgb *>(expected.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (a[x] != b[x]) {
                if (differing++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    if (differing == 0)
        return {};
    return QStringLiteral("%1 pixels differ, the first at (%2, %3): #%4 instead of #%5; drawn "
                          "picture at %6")
               .arg(differing)
               .arg(first.x())
               .arg(first.y())
               .arg(image.pixel(first), 8, 16, QLatin1Char('0'))
               .arg(expected.pixel(first), 8, 16, QLatin1Char('0'))
               .arg(keptForALook(image, name)) +
           hint;
}

QString missingFonts()
{
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                                  QStringLiteral("DejaVu Sans Mono")}) {
        const QFontInfo resolved{QFont(family)};
        if (resolved.family() != family) {
            return QStringLiteral("%1 resolves to %2: install fonts-dejavu-core")
                .arg(family, resolved.family());
        }
    }
    return {};
}

} // namespace GoldenImage
