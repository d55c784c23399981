#pragma once
// Label templates: "{value|mmm yy}", "{xLabel}", "{=expression|format}", "{field}".
// A template is compiled once and expanded for many points (axis labels, legends, image maps).
//
// Formats after "|":
//   numbers  "" general, "@" the caller's default precision, "N" N decimal places,
//            "PN" N significant digits; optional thousands separator and decimal point after
//            the digits ("2,." gives 1,234.56)
//   dates    yyyy yy mmmm mmm mm m dddd ddd dd d hh h nn n ss s a (am/pm makes hours 12-hour)

#include <QString>
#include <QStringView>
#include <memory>
#include <string>
#include <vector>

namespace TextFormat {

// Formats a number ("" general, "@", "2", "P3", "2,.").
QString formatNumber(double v, QStringView format, int defaultDecimals = -1);
void appendNumber(QString &out, double v, QStringView format, int defaultDecimals = -1);
// Formats a chart time with a date format.
QString formatDate(double chartTime, QStringView format);
void appendDate(QString &out, double chartTime, QStringView format);
// Default text of a chart time: "Mar 5, 2024" or "Mar 5, 2024 14:30:00".
void appendDefaultDate(QString &out, double chartTime);
// True when the format is a date format rather than a number format.
bool isDateFormat(QStringView format);
// A number in the shortest form that shows it exactly enough ("12.5", "1000").
QString formatGeneral(double v);
// Formats a value by a template such as "{value|P3}", or by a bare number format ("P3").
QString formatValue(double v, const QString &formatOrTemplate);

enum class Escape
{
    None,
    Html,
    Url,
    // A query inside an href attribute: values URL-encoded, and the template's own text with
    // & " < > as entities.
    HrefQuery
};

// Field values of one point, for expanding a template.
struct Fields
{
    double value = 1.7e308;
    double x = 1.7e308;
    double open = 1.7e308, high = 1.7e308, low = 1.7e308, close = 1.7e308;
    int dataSet = 0;
    int dataItem = 0;
    const QString *dataSetName = nullptr;
    // The x label: text, or a chart time, or else the x value.
    const QString *xLabelText = nullptr;
    double xLabelTime = 1.7e308;
    // The value is a chart time (date axes): formats are dates, no format gives the default.
    bool valueIsTime = false;
    // Decimal places for "@" and for a bare "{value}" on axes; -1 = general.
    int defaultDecimals = -1;
    // Extra named text fields ("label", ...).
    const std::vector<std::pair<QString, QString>> *extra = nullptr;
};

class LabelTemplate
{
public:
    LabelTemplate();
    explicit LabelTemplate(const QString &text);
    ~LabelTemplate();
    LabelTemplate(const LabelTemplate &);
    LabelTemplate &operator=(const LabelTemplate &);

    const QString &source() const { return m_source; }
    bool isEmpty() const { return m_source.isEmpty(); }
    // True when the template contains any field.
    bool hasFields() const;

    QString expand(const Fields &f, Escape escape = Escape::None) const;
    void expandInto(QString &out, const Fields &f, Escape escape = Escape::None) const;
    // The same as UTF-8 bytes (fast, for image maps of many thousand areas).
    void expandUtf8(std::string &out, const Fields &f, Escape escape = Escape::None) const;

    struct Part;

private:
    QString m_source;
    std::shared_ptr<const std::vector<Part>> m_parts;
};

void appendEscaped(QString &out, QStringView text, Escape escape);

} // namespace TextFormat
