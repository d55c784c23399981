// Label templates, number and date formats, date filters and the multi-level date labels of
// a timestamp axis (years, months, days, hours, and the bold first labels).

#include "corvanechart.h"
#include "richtext.h"
#include "xlabels.h"
#include "xylayout.h"

#include <QtTest>

#include <charconv>
#include <limits>

using TextFormat::Fields;
using TextFormat::LabelTemplate;

namespace {

std::vector<double> days(int y, int m, int d, int count, int stepDays = 1)
{
    std::vector<double> t;
    for (int i = 0; i < count; ++i)
        t.push_back(Chart::chartTime(y, m, d + i * stepDays));
    return t;
}

QStringList texts(const std::vector<XLabels::Candidate> &c)
{
    QStringList out;
    for (const auto &x : c)
        out << (x.text.isEmpty() ? QStringLiteral("-") : x.text);
    return out;
}

QStringList placedLabels(XYChart &c)
{
    QStringList out;
    for (const auto &l : c.layoutResult()->scaleOf(c.xAxis())->labels)
        out << l.text.plainText();
    return out;
}

} // namespace

class EngineLabelsTest : public QObject
{
    Q_OBJECT

private slots:
    void chartTimeRoundTrips()
    {
        const double t = Chart::chartTime(2024, 2, 29, 13, 5, 9);
        QCOMPARE(Chart::getChartYMD(t), 20240229);
        const auto p = Chart::splitChartTime(t);
        QCOMPARE(p.hour, 13);
        QCOMPARE(p.minute, 5);
        QCOMPARE(p.second, 9);
        QCOMPARE(Chart::getChartWeekDay(Chart::chartTime(2024, 3, 4)), 1); // a Monday
        QCOMPARE(Chart::chartTime2(0), Chart::chartTime(1970, 1, 1));
        QCOMPARE(Chart::chartTime(2023, 13, 1), Chart::chartTime(2024, 1, 1));
    }

    // A label template may be handed any double as a time: beyond the calendar it is clamped,
    // never turned into an overflowing whole-second count.
    void farOffTimesStayOnTheCalendar()
    {
        const auto farthest = Chart::splitChartTime(1e15);
        QVERIFY(farthest.year > 9999);
        for (const double t : {1e300, std::numeric_limits<double>::infinity()}) {
            const auto p = Chart::splitChartTime(t);
            QCOMPARE(p.year, farthest.year);
            QVERIFY(p.month >= 1 && p.month <= 12);
        }
        QVERIFY(Chart::splitChartTime(-1e300).year < 0);
        QCOMPARE(Chart::getChartYMD(std::numeric_limits<double>::quiet_NaN()), 10101);
    }

    void numberFormats()
    {
        QCOMPARE(TextFormat::formatNumber(1234.5678, u"2"), QStringLiteral("1234.57"));
        QCOMPARE(TextFormat::formatNumber(1234.5678, u"2,."), QStringLiteral("1,234.57"));
        QCOMPARE(TextFormat::formatNumber(-1234567.0, u"0,"), QStringLiteral("-1,234,567"));
        QCOMPARE(TextFormat::formatNumber(12.3456, u"P3"), QStringLiteral("12.3"));
        QCOMPARE(TextFormat::formatNumber(0.0123456, u"P3"), QStringLiteral("0.0123"));
        QCOMPARE(TextFormat::formatNumber(1234.6, u"P3"), QStringLiteral("1235"));
        // A template's format is network text too: any digit run, any script's digits.
        QCOMPARE(TextFormat::formatNumber(1.5, u"444444444444444444"),
                 TextFormat::formatNumber(1.5, u"30"));
        QCOMPARE(TextFormat::formatNumber(1.5, u"\u0662"), QStringLiteral("1.50"));
        QCOMPARE(TextFormat::formatNumber(9.996, u"P3"), QStringLiteral("10.0"));
        QCOMPARE(TextFormat::formatNumber(-0.0001, u"1"), QStringLiteral("0.0"));
        QCOMPARE(TextFormat::formatNumber(2.5, u""), QStringLiteral("2.5"));
        QCOMPARE(TextFormat::formatNumber(3, u"@", 2), QStringLiteral("3.00"));
        QCOMPARE(TextFormat::formatGeneral(0.1 + 0.2), QStringLiteral("0.3"));
        QCOMPARE(TextFormat::formatValue(45.678, QStringLiteral("P3")), QStringLiteral("45.7"));
        QCOMPARE(TextFormat::formatValue(45.678, QStringLiteral("{value|1} USD")),
                 QStringLiteral("45.7 USD"));
    }

    // Fixed and general numbers are written by integer arithmetic for the usual range; they
    // must give the same text as the standard conversion, exact ties and edges included.
    void numbersMatchTheStandardConversion()
    {
        auto fixed = [](double v, int decimals) {
            char buf[400];
            const char *end =
                std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
            QString s = QString::fromLatin1(buf, end - buf);
            if (s.startsWith(u'-') && s.mid(1).count(u'0') + s.count(u'.') == s.size() - 1)
                s.remove(0, 1); // "-0.00" is written "0.00"
            return s;
        };
        auto general = [](double v) {
            char buf[64];
            const char *end =
                std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10).ptr;
            return QString::fromLatin1(buf, end - buf);
        };
        const double values[] = {0.125,  0.375,   2.5,       -2.5,         1.5,
                                 0.05,   0.15,    1.005,     1234.5678,    -0.0,
                                 -0.004, 1e-7,    123456789, 999999999.95, 1e15 - 0.5,
                                 1e15,   9.99995, 99.5,      0.0625,       1e20};
        for (double v : values)
            for (int d = 0; d <= 16; ++d)
                QCOMPARE(TextFormat::formatNumber(v, QString::number(d)), fixed(v, d));
        const double nonIntegers[] = {40.45647645,  1.00000000005, 9.99999999995,   99999.999995,
                                      123456789.12, 1.0000001,     -7.25,           999999999.5,
                                      0.5,          1.5e-5,        3.14159265358979};
        for (double v : nonIntegers)
            QCOMPARE(TextFormat::formatGeneral(v), general(v));
        QCOMPARE(TextFormat::formatNumber(-0.0, u"0"), QStringLiteral("0"));
        QCOMPARE(TextFormat::formatGeneral(-0.0), QStringLiteral("0"));
    }

    void dateFormats()
    {
        const double t = Chart::chartTime(2024, 3, 5, 14, 7, 9);
        QCOMPARE(TextFormat::formatDate(t, u"yyyy"), QStringLiteral("2024"));
        QCOMPARE(TextFormat::formatDate(t, u"mmm yy"), QStringLiteral("Mar 24"));
        QCOMPARE(TextFormat::formatDate(t, u"d mmm"), QStringLiteral("5 Mar"));
        QCOMPARE(TextFormat::formatDate(t, u"dd/mm/yyyy"), QStringLiteral("05/03/2024"));
        QCOMPARE(TextFormat::formatDate(t, u"m/d"), QStringLiteral("3/5"));
        QCOMPARE(TextFormat::formatDate(t, u"h:nna"), QStringLiteral("2:07pm"));
        QCOMPARE(TextFormat::formatDate(t, u"hh:nn:ss"), QStringLiteral("14:07:09"));
        QCOMPARE(TextFormat::formatDate(Chart::chartTime(2024, 3, 5, 0, 30), u"h:nna"),
                 QStringLiteral("12:30am"));
        QCOMPARE(TextFormat::formatDate(t, u"mmm d, yyyy hh:nn:ss"),
                 QStringLiteral("Mar 5, 2024 14:07:09"));
    }

    void templatesSubstituteFieldsFormatsAndExpressions()
    {
        const QString name = QStringLiteral("Close");
        Fields f;
        f.value = 105;
        f.open = 1.5;
        f.high = 2.25;
        f.low = 1;
        f.close = 2;
        f.dataSetName = &name;
        f.xLabelTime = Chart::chartTime(2024, 1, 31);
        QCOMPARE(LabelTemplate(QStringLiteral("{={value}-100|@}%")).expand(f),
                 QStringLiteral("5%"));
        QCOMPARE(LabelTemplate(QStringLiteral("{=({high}-{low})*2|1}")).expand(f),
                 QStringLiteral("2.5"));
        QCOMPARE(LabelTemplate(QStringLiteral("Op:{open|P3}, Hi:{high|P3}")).expand(f),
                 QStringLiteral("Op:1.50, Hi:2.25"));
        QCOMPARE(LabelTemplate(QStringLiteral("[{xLabel|mmm d, yyyy}] {dataSetName}")).expand(f),
                 QStringLiteral("[Jan 31, 2024] Close"));
        QCOMPARE(LabelTemplate(QStringLiteral("{xLabel}")).expand(f),
                 QStringLiteral("Jan 31, 2024"));
        QCOMPARE(LabelTemplate(QStringLiteral("{value|1}M")).expand(f), QStringLiteral("105.0M"));
        f.valueIsTime = true;
        f.value = Chart::chartTime(2024, 7, 1);
        QCOMPARE(LabelTemplate(QStringLiteral("<*font=bold*>{value|mmm yy}")).expand(f),
                 QStringLiteral("<*font=bold*>Jul 24"));
        // Unknown fields give nothing; unbalanced braces stay text.
        QCOMPARE(LabelTemplate(QStringLiteral("a{nothing}b{")).expand(f), QStringLiteral("ab{"));
    }

    void escapingForImageMaps()
    {
        const QString name = QStringLiteral("O'Neil & <Co>");
        Fields f;
        f.dataSetName = &name;
        QCOMPARE(LabelTemplate(QStringLiteral("title='{dataSetName}'"))
                     .expand(f, TextFormat::Escape::Html),
                 QStringLiteral("title='O&#39;Neil &amp; &lt;Co&gt;'"));
        QCOMPARE(
            LabelTemplate(QStringLiteral("?n={dataSetName}")).expand(f, TextFormat::Escape::Url),
            QStringLiteral("?n=O%27Neil%20%26%20%3CCo%3E"));
        // A query inside an href: values URL-encoded, the template's own text as entities; the
        // same from the text and the byte expansion.
        const LabelTemplate href(QStringLiteral("?n={dataSetName}&v=\"<{value|P3}>\"&r='\u20ac'"));
        f.value = 1234.5678;
        const QString expected = QStringLiteral(
            "?n=O%27Neil%20%26%20%3CCo%3E&amp;v=&quot;&lt;1235&gt;&quot;&amp;r='\u20ac'");
        QCOMPARE(href.expand(f, TextFormat::Escape::HrefQuery), expected);
        std::string bytes;
        href.expandUtf8(bytes, f, TextFormat::Escape::HrefQuery);
        QCOMPARE(QString::fromStdString(bytes), expected);
    }

    void expressionsFollowPrecedenceAndLeftToRightOrder()
    {
        Fields f;
        f.value = 4;
        auto expand = [&](const char *text) {
            return LabelTemplate(QString::fromLatin1(text)).expand(f);
        };
        QCOMPARE(expand("{=1+2*3}"), QStringLiteral("7"));
        QCOMPARE(expand("{=(1+2)*3}"), QStringLiteral("9"));
        QCOMPARE(expand("{=10-4-3}"), QStringLiteral("3"));
        QCOMPARE(expand("{=16/{value}/2}"), QStringLiteral("2"));
        QCOMPARE(expand("{=-{value}*-2+1}"), QStringLiteral("9"));
        QCOMPARE(expand("{=2e1-{value}|1}"), QStringLiteral("16.0"));
        // No value where it cannot be computed; text that is no expression stays as it is.
        QCOMPARE(expand("[{={value}/0}]"), QStringLiteral("[]"));
        QCOMPARE(expand("[{={close}+1}]"), QStringLiteral("[]"));
        QCOMPARE(expand("{=1+}{=(2}"), QStringLiteral("{=1+}{=(2}"));
    }

    void textAndByteExpansionEscapeAlike()
    {
        const QString name = QStringLiteral("caf\u00e9 \u20ac<'\"&>_.~-");
        Fields f;
        f.dataSetName = &name;
        const LabelTemplate tpl(QStringLiteral("{dataSetName}"));
        const QString html = QStringLiteral("caf\u00e9 \u20ac&lt;&#39;&quot;&amp;&gt;_.~-");
        const QString url = QStringLiteral("caf%C3%A9%20%E2%82%AC%3C%27%22%26%3E_.~-");
        for (const auto &[escape, expected] :
             {std::pair{TextFormat::Escape::Html, html}, std::pair{TextFormat::Escape::Url, url},
              std::pair{TextFormat::Escape::HrefQuery, url}}) {
            QCOMPARE(tpl.expand(f, escape), expected);
            std::string bytes;
            tpl.expandUtf8(bytes, f, escape);
            QCOMPARE(QString::fromStdString(bytes), expected);
        }
    }

    void markupMakesBoldTextAndLineBreaks()
    {
        const TextStyle style{QStringLiteral("normal"), 8, 0, 0};
        const RichText plain(QStringLiteral("Mar 24"), style);
        const RichText bold(QStringLiteral("<*font=bold*>Mar 24"), style);
        QCOMPARE(bold.plainText(), QStringLiteral("Mar 24"));
        QVERIFY(bold.width() > plain.width());
        const RichText twoLines(QStringLiteral("5 Mar\n2:00pm"), style);
        QVERIFY(twoLines.height() > plain.height() * 1.8);
        QCOMPARE(RichText(QStringLiteral("a<*br*>b"), style).plainText(), QStringLiteral("a\nb"));
    }

    void startOfMonthFilterPassesFirstDaysOfMonths()
    {
        // Trading days from 28 Jan to 5 Mar.
        std::vector<double> t;
        for (double d = Chart::chartTime(2024, 1, 28); d <= Chart::chartTime(2024, 3, 5);
             d += 86400)
            if (Chart::getChartWeekDay(d) != 0 && Chart::getChartWeekDay(d) != 6)
                t.push_back(d);
        XLabels::FilterState f(Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05), t, 0);
        QStringList passed;
        for (int i = 0; i < static_cast<int>(t.size()); ++i)
            if (f.passes(i))
                passed << TextFormat::formatDate(t[i], u"d mmm");
        // 28 Jan is not near a month start; 1 Feb (Thursday) and 1 Mar (Friday) are.
        QCOMPARE(passed, QStringList({QStringLiteral("1 Feb"), QStringLiteral("1 Mar")}));
        // Tolerance: a first point within the first half of its day counts as the day's start.
        const std::vector<double> h{Chart::chartTime(2024, 1, 2, 9),
                                    Chart::chartTime(2024, 1, 2, 13)};
        XLabels::FilterState day(Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5), h, 0);
        QVERIFY(day.passes(0));
        QVERIFY(!day.passes(1));
        XLabels::FilterState strict(Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.05), h, 0);
        QVERIFY(!strict.passes(0));
    }

    void monthLabelsWithBoldYearStartsAndTickOnlyMonths()
    {
        const auto t = days(2023, 10, 1, 200); // 1 Oct 2023 .. mid Apr 2024
        std::vector<Axis::FormatEntry> e;
        e.push_back({Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                     QStringLiteral("<*font=bold*>{value|mmm yy}"),
                     Chart::encodeFilter(Chart::StartOfMonthFilter, 2, 0.05),
                     QStringLiteral("{value|mmm}"), 1, true});
        e.push_back({Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.05), QStringLiteral("-"),
                     -1, QString(), 1, false});
        const auto c = XLabels::fromMultiFormat(t, 0, static_cast<int>(t.size()) - 1, e);
        // Every second month (Jan, Mar, May ... by the calendar) is labelled, the others get a
        // tick only; the first label (Nov) and year starts take the bold year format.
        QCOMPARE(texts(c),
                 QStringList({QStringLiteral("-"), QStringLiteral("<*font=bold*>Nov 23"),
                              QStringLiteral("-"), QStringLiteral("<*font=bold*>Jan 24"),
                              QStringLiteral("-"), QStringLiteral("Mar"), QStringLiteral("-")}));
    }

    void dayAndHourLabels()
    {
        std::vector<Axis::FormatEntry> e{{Chart::encodeFilter(Chart::StartOfMonthFilter, 1, 0.5),
                                          QStringLiteral("<*font=bold*>{value|d mmm}"),
                                          Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5),
                                          QStringLiteral("{value|d}"), 1, true}};
        const auto d = XLabels::fromMultiFormat(days(2024, 2, 28, 4), 0, 3, e);
        QCOMPARE(texts(d),
                 QStringList({QStringLiteral("<*font=bold*>28 Feb"), QStringLiteral("29"),
                              QStringLiteral("<*font=bold*>1 Mar"), QStringLiteral("2")}));
        std::vector<double> h;
        for (int i = 0; i < 6; ++i)
            h.push_back(Chart::chartTime(2024, 3, 4, 22) + i * 3600);
        std::vector<Axis::FormatEntry> he{{Chart::encodeFilter(Chart::StartOfDayFilter, 1, 0.5),
                                           QStringLiteral("<*font=bold*>{value|d mmm\nh:nna}"),
                                           Chart::encodeFilter(Chart::StartOfHourFilter, 2, 0.5),
                                           QStringLiteral("{value|h:nna}"), 1, false}};
        const auto hc = XLabels::fromMultiFormat(h, 0, 5, he);
        // Every second hour start is labelled; the day start takes the bold format.
        QCOMPARE(texts(hc), QStringList({QStringLiteral("10:00pm"),
                                         QStringLiteral("<*font=bold*>5 Mar\n12:00am"),
                                         QStringLiteral("2:00am")}));
    }

    void yearLabelsOnAChartStayEvenlySpacedAndApart()
    {
        // Ten years of trading days on a narrow chart: year labels must thin out evenly.
        std::vector<double> t, v;
        for (double d = Chart::chartTime(2010, 1, 4); d < Chart::chartTime(2020, 1, 1); d += 86400)
            if (Chart::getChartWeekDay(d) != 0 && Chart::getChartWeekDay(d) != 6) {
                t.push_back(d);
                v.push_back(10 + t.size() % 17);
            }
        XYChart c(260, 120);
        c.setPlotArea(10, 10, 240, 80);
        c.addLineLayer(v, 0x0000ff);
        c.xAxis()->setLabels2(t);
        c.xAxis()->setMultiFormat(Chart::encodeFilter(Chart::StartOfYearFilter, 1, 0.05),
                                  QStringLiteral("{value|yyyy}"));
        QVERIFY(c.makeChart());
        const QStringList labels = placedLabels(c);
        QVERIFY(labels.size() >= 3 && labels.size() < 10);
        QCOMPARE(labels.front(), QStringLiteral("2010"));
        const int step = labels[1].toInt() - labels[0].toInt();
        for (int i = 1; i < labels.size(); ++i)
            QCOMPARE(labels[i].toInt() - labels[i - 1].toInt(), step);
        const auto &placed = c.layoutResult()->scaleOf(c.xAxis())->labels;
        for (size_t i = 1; i < placed.size(); ++i)
            QVERIFY(placed[i - 1].bounds.right() < placed[i].bounds.left());
        for (const auto &l : placed)
            QVERIFY(l.bounds.left() >= 0 && l.bounds.right() <= 260);
    }

    void textLabelsThinOutWhenCrowded()
    {
        std::vector<QString> names;
        std::vector<double> v;
        for (int i = 0; i < 100; ++i) {
            names.push_back(QStringLiteral("Label %1").arg(i));
            v.push_back(i);
        }
        XYChart c(400, 200);
        c.setPlotArea(20, 10, 360, 150);
        c.addLineLayer(v, 0xff0000);
        c.xAxis()->setLabels(names);
        QVERIFY(c.makeChart());
        const QStringList labels = placedLabels(c);
        QVERIFY(labels.size() > 3 && labels.size() < 20);
        QCOMPARE(labels.front(), QStringLiteral("Label 0"));
    }
};

QTEST_MAIN(EngineLabelsTest)
#include "tst_engine_labels.moc"
