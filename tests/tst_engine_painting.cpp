// The shortcuts of painting many shapes: the column filler and the PNG encoder must give the
// very pixels the plain way gives.

#include "columnfiller.h"
#include "pngencoder.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

namespace {

struct Fill
{
    QRect rect;
    QColor color;
};

QImage paintedPlainly(const std::vector<Fill> &fills, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    for (const Fill &f : fills)
        p.fillRect(f.rect, f.color);
    return image;
}

QImage paintedByColumns(const std::vector<Fill> &fills, QSize size, int *painterCalls = nullptr)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    ColumnFiller filler(p);
    for (const Fill &f : fills)
        filler.fill(f.rect, f.color);
    filler.flush();
    if (painterCalls)
        *painterCalls = filler.paintedRects();
    return image;
}

// Crowded bars and candles: `perColumn` rectangles on each column range of `width` pixels,
// tops and heights at random (or all down to one baseline, as volume bars), colours from a
// small set (some see-through when asked).
std::vector<Fill> crowded(int columns, int width, int perColumn, bool seeThrough, bool baseline,
                          quint32 seed)
{
    QRandomGenerator random(seed);
    const QColor colours[] = {QColor(0x99, 0xff, 0x99), QColor(0xff, 0x99, 0x99),
                              QColor(0x80, 0x80, 0x80),
                              seeThrough ? QColor(0, 0, 0xff, 0x80) : QColor(0, 0, 0xff)};
    std::vector<Fill> fills;
    for (int c = 0; c < columns; ++c) {
        for (int k = 0; k < perColumn; ++k) {
            const int top = random.bounded(90);
            const int height = baseline ? 100 - top : 1 + random.bounded(100 - top);
            fills.push_back({QRect(c * width, top, width, height), colours[random.bounded(4)]});
        }
    }
    return fills;
}

int differingPixels(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace

class EnginePaintingTest : public QObject
{
    Q_OBJECT

private slots:
    void columnFillerPaintsWhatPlainFillsPaint_data();
    void columnFillerPaintsWhatPlainFillsPaint();
    void columnFillerKeepsTheOrderAcrossColumns();
    void pngEncoderRoundTripsEveryPixel_data();
    void pngEncoderRoundTripsEveryPixel();
};

void EnginePaintingTest::columnFillerPaintsWhatPlainFillsPaint_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("perColumn");
    QTest::addColumn<bool>("seeThrough");
    QTest::addColumn<bool>("baseline");
    QTest::newRow("one-pixel volume bars, nine a column") << 1 << 9 << false << true;
    QTest::newRow("one-pixel candles, nine a column") << 1 << 9 << false << false;
    QTest::newRow("three-pixel candles, two a column") << 3 << 2 << false << false;
    QTest::newRow("one a column") << 1 << 1 << false << false;
    QTest::newRow("see-through among opaque") << 1 << 9 << true << false;
}

void EnginePaintingTest::columnFillerPaintsWhatPlainFillsPaint()
{
    QFETCH(int, width);
    QFETCH(int, perColumn);
    QFETCH(bool, seeThrough);
    QFETCH(bool, baseline);
    const QSize size(120 * width, 110);
    for (quint32 seed = 1; seed <= 20; ++seed) {
        const auto fills = crowded(120, width, perColumn, seeThrough, baseline, seed);
        int calls = 0;
        const QImage quick = paintedByColumns(fills, size, &calls);
        QCOMPARE(differingPixels(quick, paintedPlainly(fills, size)), 0);
        if (baseline) // hidden bars cost nothing
            QVERIFY2(calls < int(fills.size()) / 2,
                     qPrintable(QString("%1 calls for %2 rects").arg(calls).arg(fills.size())));
    }
}

void EnginePaintingTest::columnFillerKeepsTheOrderAcrossColumns()
{
    // A wide rectangle between two narrow ones on the same column: the last narrow one must
    // stay on top of the wide one, and the wide one on top of the first.
    const std::vector<Fill> fills = {{QRect(5, 0, 1, 20), Qt::red},
                                     {QRect(0, 5, 10, 5), Qt::blue},
                                     {QRect(5, 8, 1, 1), Qt::green}};
    const QImage quick = paintedByColumns(fills, QSize(10, 20));
    QCOMPARE(differingPixels(quick, paintedPlainly(fills, QSize(10, 20))), 0);
    QCOMPARE(quick.pixelColor(5, 8), QColor(Qt::green));
    QCOMPARE(quick.pixelColor(5, 6), QColor(Qt::blue));
    QCOMPARE(quick.pixelColor(5, 2), QColor(Qt::red));
}

void EnginePaintingTest::pngEncoderRoundTripsEveryPixel_data()
{
    QTest::addColumn<bool>("opaque");
    QTest::addColumn<int>("colourType"); // the PNG header's: 2 RGB, 6 RGBA
    QTest::newRow("opaque picture as three channels") << true << 2;
    QTest::newRow("see-through picture keeps its alpha") << false << 6;
}

void EnginePaintingTest::pngEncoderRoundTripsEveryPixel()
{
    QFETCH(bool, opaque);
    QFETCH(int, colourType);
    QImage image(157, 91, QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? QColor(0x13, 0x2c, 0x4e) : QColor(Qt::transparent));
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, 0, 0, 91);
        gradient.setColorAt(0, QColor(0x13, 0x2c, 0x4e));
        gradient.setColorAt(1, opaque ? QColor(0x06, 0x0e, 0x17) : QColor(0, 0, 0, 0x40));
        p.fillRect(QRect(0, 0, 157, 60), gradient);
        p.setPen(QPen(QColor(0x99, 0xff, 0x99), 2));
        p.drawLine(0, 90, 156, 3);
        p.drawText(10, 40, "Corvane 42");
    }
    const QByteArray png = PngEncoder::encode(image);
    QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
    QCOMPARE(int(quint8(png.at(25))), colourType);
    QImage decoded;
    QVERIFY(decoded.loadFromData(png, "PNG"));
    QCOMPARE(decoded.size(), image.size());
    const QImage expected = image.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(differingPixels(decoded.convertToFormat(QImage::Format_ARGB32), expected), 0);
    QVERIFY(PngEncoder::encode(QImage()).isEmpty());
}

QTEST_MAIN(EnginePaintingTest)
#include "tst_engine_painting.moc"
