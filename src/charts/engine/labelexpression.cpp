#include "labelexpression.h"

#include "chartconst.h"

namespace TextFormat {

namespace {

class ExprParser
{
public:
    explicit ExprParser(QStringView s) : m_s(s) {}
    bool parse(std::vector<ExprItem> &out)
    {
        m_out = &out;
        if (!parseChain(Sums))
            return false;
        skipSpace();
        return m_pos == m_s.size();
    }

private:
    void skipSpace()
    {
        while (m_pos < m_s.size() && m_s[m_pos].isSpace())
            ++m_pos;
    }
    enum Precedence
    {
        Sums,    // + and - between products
        Products // * and / between unary terms
    };
    // Operands joined left to right by the two operators of one precedence. The operand is read
    // here rather than by a helper, so that each level of nesting takes fewer stack frames.
    bool parseChain(Precedence level)
    {
        const char16_t op1 = level == Sums ? u'+' : u'*', op2 = level == Sums ? u'-' : u'/';
        if (!(level == Sums ? parseChain(Products) : parseUnary()))
            return false;
        for (;;) {
            skipSpace();
            if (m_pos < m_s.size() && (m_s[m_pos] == op1 || m_s[m_pos] == op2)) {
                const char op = static_cast<char>(m_s[m_pos].unicode());
                ++m_pos;
                if (!(level == Sums ? parseChain(Products) : parseUnary()))
                    return false;
                m_out->push_back({ExprItem::Op, 0, FValue, op});
            } else {
                return true;
            }
        }
    }
    bool parseUnary()
    {
        skipSpace();
        if (m_pos < m_s.size() && m_s[m_pos] == u'-') {
            ++m_pos;
            if (!parseUnary())
                return false;
            m_out->push_back({ExprItem::Neg, 0, FValue, 0});
            return true;
        }
        if (m_pos < m_s.size() && m_s[m_pos] == u'+') {
            ++m_pos;
            return parseUnary();
        }
        return parseAtom();
    }
    bool parseAtom()
    {
        skipSpace();
        if (m_pos >= m_s.size())
            return false;
        const QChar c = m_s[m_pos];
        if (c == u'(') {
            ++m_pos;
            if (!parseChain(Sums))
                return false;
            skipSpace();
            if (m_pos >= m_s.size() || m_s[m_pos] != u')')
                return false;
            ++m_pos;
            return true;
        }
        if (c == u'{') {
            const qsizetype end = m_s.indexOf(u'}', m_pos);
            if (end < 0)
                return false;
            m_out->push_back({ExprItem::Field, 0, fieldId(m_s.mid(m_pos + 1, end - m_pos - 1)), 0});
            m_pos = end + 1;
            return true;
        }
        if (c.isDigit() || c == u'.') {
            qsizetype start = m_pos;
            while (m_pos < m_s.size() &&
                   (m_s[m_pos].isDigit() || m_s[m_pos] == u'.' || m_s[m_pos] == u'e' ||
                    m_s[m_pos] == u'E' ||
                    ((m_s[m_pos] == u'-' || m_s[m_pos] == u'+') && m_pos > start &&
                     (m_s[m_pos - 1] == u'e' || m_s[m_pos - 1] == u'E'))))
                ++m_pos;
            bool ok = false;
            const double v = m_s.mid(start, m_pos - start).toDouble(&ok);
            if (!ok)
                return false;
            m_out->push_back({ExprItem::Number, v, FValue, 0});
            return true;
        }
        return false;
    }

    QStringView m_s;
    qsizetype m_pos = 0;
    std::vector<ExprItem> *m_out = nullptr;
};

} // namespace

bool parseExpression(QStringView text, std::vector<ExprItem> &out)
{
    return ExprParser(text).parse(out);
}

double evaluate(const std::vector<ExprItem> &items, const Fields &f)
{
    double stack[64];
    int sp = 0;
    for (const auto &it : items) {
        if (sp >= 63)
            return Chart::NoValue;
        switch (it.kind) {
        case ExprItem::Number:
            stack[sp++] = it.number;
            break;
        case ExprItem::Field: {
            const double v = numericField(it.field, f);
            if (Chart::isNoValue(v))
                return Chart::NoValue;
            stack[sp++] = v;
            break;
        }
        case ExprItem::Neg:
            if (sp < 1)
                return Chart::NoValue;
            stack[sp - 1] = -stack[sp - 1];
            break;
        case ExprItem::Op: {
            if (sp < 2)
                return Chart::NoValue;
            const double b = stack[--sp];
            double &a = stack[sp - 1];
            switch (it.op) {
            case '+':
                a += b;
                break;
            case '-':
                a -= b;
                break;
            case '*':
                a *= b;
                break;
            default:
                if (b == 0)
                    return Chart::NoValue;
                a /= b;
            }
            break;
        }
        }
    }
    return sp == 1 ? stack[0] : Chart::NoValue;
}

} // namespace TextFormat
