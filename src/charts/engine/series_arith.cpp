#include "series_arith.h"

#include "chartconst.h"

#include <algorithm>
#include <cmath>

namespace Series {
namespace {

template <typename Op> Array combine(const Array &a, const Array &b, Op op)
{
    const size_t n = std::min(a.size(), b.size());
    Array r(n);
    for (size_t i = 0; i < n; ++i)
        r[i] = Chart::isNoValue(a[i]) || Chart::isNoValue(b[i]) ? Chart::NoValue : op(a[i], b[i]);
    return r;
}

template <typename Op> Array each(const Array &a, Op op)
{
    Array r(a.size());
    for (size_t i = 0; i < a.size(); ++i)
        r[i] = Chart::isNoValue(a[i]) ? Chart::NoValue : op(a[i]);
    return r;
}

} // namespace

Array add(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return x + y; });
}
Array add(const Array &a, double b)
{
    return each(a, [b](double x) { return x + b; });
}
Array sub(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return x - y; });
}
Array sub(const Array &a, double b)
{
    return each(a, [b](double x) { return x - b; });
}
Array mul(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return x * y; });
}
Array mul(const Array &a, double b)
{
    return each(a, [b](double x) { return x * b; });
}

Array div(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return y == 0 ? Chart::NoValue : x / y; });
}

Array div(const Array &a, double b)
{
    if (b == 0)
        return Array(a.size(), Chart::NoValue);
    return each(a, [b](double x) { return x / b; });
}

Array financeDiv(const Array &a, const Array &b, double z)
{
    return combine(a, b, [z](double x, double y) { return y == 0 ? z : x / y; });
}

Array abs(const Array &a)
{
    return each(a, [](double x) { return std::fabs(x); });
}

Array delta(const Array &a, int offset)
{
    const long n = static_cast<long>(a.size());
    Array r(a.size(), Chart::NoValue);
    for (long i = 0; i < n; ++i) {
        const long j = i - offset;
        if (j < 0 || j >= n || Chart::isNoValue(a[i]) || Chart::isNoValue(a[j]))
            continue;
        r[i] = a[i] - a[j];
    }
    return r;
}

Array shift(const Array &a, int offset, double fill)
{
    const long n = static_cast<long>(a.size());
    Array r(a.size(), fill);
    for (long i = 0; i < n; ++i) {
        const long j = i - offset;
        if (j >= 0 && j < n)
            r[i] = a[j];
    }
    return r;
}

Array max(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return std::max(x, y); });
}
Array max(const Array &a, double b)
{
    return each(a, [b](double x) { return std::max(x, b); });
}
Array min(const Array &a, const Array &b)
{
    return combine(a, b, [](double x, double y) { return std::min(x, y); });
}
Array min(const Array &a, double b)
{
    return each(a, [b](double x) { return std::min(x, b); });
}

Array replace(const Array &a, double from, double to)
{
    Array r(a);
    for (double &v : r)
        if (v == from || (Chart::isNoValue(from) && Chart::isNoValue(v)))
            v = to;
    return r;
}

} // namespace Series
