#include "series_select.h"

#include "chartconst.h"

#include <cstddef>

namespace Series {
namespace {

template <typename Cond> Array select(const Array &a, const Array &selector, double fill, Cond cond)
{
    const Array &s = selector.empty() ? a : selector;
    Array r(a.size(), Chart::NoValue);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i >= s.size() || Chart::isNoValue(s[i]))
            continue;
        r[i] = cond(s[i]) ? a[i] : fill;
    }
    return r;
}

} // namespace

Array selectGTZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v > 0; });
}
Array selectLTZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v < 0; });
}
Array selectEQZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v == 0; });
}
Array selectGEZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v >= 0; });
}
Array selectLEZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v <= 0; });
}
Array selectNEZ(const Array &a, const Array &s, double fill)
{
    return select(a, s, fill, [](double v) { return v != 0; });
}

} // namespace Series
