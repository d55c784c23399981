#include "labeltemplate.h"

#include "chartconst.h"
#include "labelexpression.h"
#include "textsink.h"

#include <type_traits>

namespace TextFormat {

struct LabelTemplate::Part
{
    enum Kind
    {
        Literal,
        Field,
        Expression
    } kind;
    QString text; // literal text, or the field name for other fields
    FieldId field = FValue;
    QString format;
    bool hasFormat = false;
    bool isDate = false;
    std::vector<ExprItem> expr;
    // Read once at compile time: literal text as UTF-8, the format as a number and a date
    // format (a field may use either, depending on the point).
    std::string utf8;
    std::string hrefUtf8; // the same with & " < > as entities, for Escape::HrefQuery
    NumberFormat number;
    DateFormat date;
};

LabelTemplate::LabelTemplate() : m_parts(std::make_shared<std::vector<Part>>()) {}
LabelTemplate::~LabelTemplate() = default;
LabelTemplate::LabelTemplate(const LabelTemplate &) = default;
LabelTemplate &LabelTemplate::operator=(const LabelTemplate &) = default;

LabelTemplate::LabelTemplate(const QString &text) : m_source(text)
{
    auto parts = std::make_shared<std::vector<Part>>();
    QString literal;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            parts->push_back(
                {Part::Literal, literal, FValue, QString(), false, false, {}, {}, {}, {}, {}});
            literal.clear();
        }
    };
    while (i < n) {
        const QChar c = text[i];
        if (c != u'{') {
            literal.append(c);
            ++i;
            continue;
        }
        // Find the matching close brace; expressions nest field braces.
        int depth = 0;
        qsizetype end = -1;
        for (qsizetype j = i; j < n; ++j) {
            if (text[j] == u'{')
                ++depth;
            else if (text[j] == u'}' && --depth == 0) {
                end = j;
                break;
            }
        }
        if (end < 0) {
            literal.append(text.mid(i));
            break;
        }
        const QString body = text.mid(i + 1, end - i - 1);
        i = end + 1;
        // The format follows the last "|" outside nested braces.
        qsizetype bar = -1;
        int d = 0;
        for (qsizetype j = 0; j < body.size(); ++j) {
            if (body[j] == u'{')
                ++d;
            else if (body[j] == u'}')
                --d;
            else if (body[j] == u'|' && d == 0)
                bar = j;
        }
        Part part{Part::Field, QString(), FValue, QString(), false, false, {}, {}, {}, {}, {}};
        const QString head = bar >= 0 ? body.left(bar) : body;
        if (bar >= 0) {
            part.format = body.mid(bar + 1);
            part.hasFormat = true;
            part.isDate = isDateFormat(part.format);
        }
        if (head.startsWith(u'=')) {
            part.kind = Part::Expression;
            if (!parseExpression(QStringView(head).mid(1), part.expr)) {
                literal.append(u'{' + body + u'}');
                continue;
            }
        } else {
            part.field = fieldId(head);
            part.text = head;
        }
        flushLiteral();
        parts->push_back(std::move(part));
    }
    flushLiteral();
    for (Part &p : *parts) {
        if (p.kind == Part::Literal) {
            ByteSink bytes{p.utf8};
            bytes.append(p.text);
            p.hrefUtf8 = hrefEscaped(p.utf8);
        } else {
            p.number = parseNumberFormat(p.format);
            p.date = parseDateFormat(p.format);
        }
    }
    m_parts = std::move(parts);
}

bool LabelTemplate::hasFields() const
{
    for (const auto &p : *m_parts)
        if (p.kind != Part::Literal)
            return true;
    return false;
}

QString LabelTemplate::expand(const Fields &f, Escape escape) const
{
    QString s;
    expandInto(s, f, escape);
    return s;
}

QString formatValue(double v, const QString &formatOrTemplate)
{
    if (formatOrTemplate.contains(u'{')) {
        Fields f;
        f.value = v;
        return LabelTemplate(formatOrTemplate).expand(f);
    }
    if (isDateFormat(formatOrTemplate))
        return formatDate(v, formatOrTemplate);
    return formatNumber(v, formatOrTemplate);
}

namespace {

void appendLiteral(QString &out, const LabelTemplate::Part &p, Escape escape)
{
    if (escape == Escape::HrefQuery)
        appendHrefEscaped(out, p.text);
    else
        out.append(p.text);
}
void appendLiteral(ByteSink &out, const LabelTemplate::Part &p, Escape escape)
{
    out.appendUtf8(escape == Escape::HrefQuery ? p.hrefUtf8 : p.utf8);
}

template <typename Out>
void expandParts(const std::vector<LabelTemplate::Part> &parts, Out &out, Out &tmp, const Fields &f,
                 Escape escape)
{
    using Part = LabelTemplate::Part;
    static const NumberFormat wholeNumber = parseNumberFormat(u"0");
    for (const auto &p : parts) {
        if (p.kind == Part::Literal) {
            appendLiteral(out, p, escape);
            continue;
        }
        // Bytes are written straight into the output and escaped afterwards only if they need
        // it (numbers and dates seldom do); QString output goes through tmp.
        constexpr bool inPlace = std::is_same_v<Out, ByteSink>;
        Out &target = escape == Escape::None || inPlace ? out : tmp;
        const qsizetype mark = sinkSize(out);
        clearSink(tmp);
        if (p.kind == Part::Expression) {
            numberInto(target, evaluate(p.expr, f), p.number, f.defaultDecimals);
        } else {
            switch (p.field) {
            case FDataSetName:
                if (f.dataSetName)
                    target.append(*f.dataSetName);
                break;
            case FXLabel:
                if (f.xLabelText) {
                    target.append(*f.xLabelText);
                } else if (!Chart::isNoValue(f.xLabelTime)) {
                    if (p.hasFormat && !p.format.isEmpty())
                        dateInto(target, f.xLabelTime, p.date);
                    else
                        defaultDateInto(target, f.xLabelTime);
                } else {
                    numberInto(target, f.x, p.number);
                }
                break;
            case FValue:
                if (f.valueIsTime) {
                    if (p.hasFormat && p.isDate)
                        dateInto(target, f.value, p.date);
                    else if (p.hasFormat && !p.format.isEmpty() && p.format != u"@")
                        numberInto(target, f.value, p.number);
                    else
                        defaultDateInto(target, f.value);
                } else if (p.hasFormat && p.isDate) {
                    dateInto(target, f.value, p.date);
                } else {
                    numberInto(target, f.value, p.number, f.defaultDecimals);
                }
                break;
            case FOther:
                if (f.extra) {
                    for (const auto &kv : *f.extra)
                        if (kv.first == p.text) {
                            target.append(kv.second);
                            break;
                        }
                }
                break;
            case FDataSet:
            case FDataItem:
                numberInto(target, numericField(p.field, f), wholeNumber);
                break;
            default: {
                const double v = numericField(p.field, f);
                if (p.hasFormat && p.isDate)
                    dateInto(target, v, p.date);
                else
                    numberInto(target, v, p.number, f.defaultDecimals);
            }
            }
        }
        if (escape != Escape::None) {
            if constexpr (inPlace)
                escapeTail(out, tmp, mark, escape);
            else
                appendEscaped(out, tmp, escape);
        }
    }
}

} // namespace

void LabelTemplate::expandInto(QString &out, const Fields &f, Escape escape) const
{
    thread_local QString tmp;
    expandParts(*m_parts, out, tmp, f, escape);
}

void LabelTemplate::expandUtf8(std::string &out, const Fields &f, Escape escape) const
{
    thread_local std::string tmpBytes;
    ByteSink o{out}, t{tmpBytes};
    expandParts(*m_parts, o, t, f, escape);
}

} // namespace TextFormat
