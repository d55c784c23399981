#pragma once
// Label templates: "{value|mmm yy}", "{xLabel}", "{=expression|format}", "{field}".
// A template is compiled once and expanded for many points (axis labels, legends, image maps).
//
// The format after "|" is a number format (numberformat.h) or a date format (dateformat.h);
// the fields are those of labelfields.h, expressions those of labelexpression.h.

#include "dateformat.h"
#include "labelescaping.h"
#include "labelfields.h"
#include "numberformat.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <string>
#include <vector>

namespace TextFormat {

// Formats a value by a template such as "{value|P3}", or by a bare number format ("P3").
QString formatValue(double v, const QString &formatOrTemplate);

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

} // namespace TextFormat
