#pragma once
// A chainable calculator over one data series, for indicator code:
//   auto upper = ArrayMath(close).movAvg(20).add(ArrayMath(close).movStdDev(20).mul(2)).result();
// Each step replaces the held series; the functions themselves live in series_*.h.

#include "series_arith.h"
#include "series_select.h"
#include "series_window.h"

#include <vector>

class ArrayMath
{
public:
    using Array = std::vector<double>;

    ArrayMath() = default;
    explicit ArrayMath(const Array &a) : m_a(a) {}
    explicit ArrayMath(Array &&a) : m_a(std::move(a)) {}
    ArrayMath(const double *data, int count) : m_a(data, data + (count > 0 ? count : 0)) {}

    const Array &result() const { return m_a; }
    Array take() { return std::move(m_a); }
    operator const Array &() const { return m_a; }
    int size() const { return static_cast<int>(m_a.size()); }

    ArrayMath &add(const Array &b) { return set(Series::add(m_a, b)); }
    ArrayMath &add(double b) { return set(Series::add(m_a, b)); }
    ArrayMath &add2(double b) { return add(b); }
    ArrayMath &sub(const Array &b) { return set(Series::sub(m_a, b)); }
    ArrayMath &sub(double b) { return set(Series::sub(m_a, b)); }
    ArrayMath &sub2(double b) { return sub(b); }
    ArrayMath &mul(const Array &b) { return set(Series::mul(m_a, b)); }
    ArrayMath &mul(double b) { return set(Series::mul(m_a, b)); }
    ArrayMath &mul2(double b) { return mul(b); }
    ArrayMath &div(const Array &b) { return set(Series::div(m_a, b)); }
    ArrayMath &div(double b) { return set(Series::div(m_a, b)); }
    ArrayMath &div2(double b) { return div(b); }
    ArrayMath &financeDiv(const Array &b, double zeroResult)
    {
        return set(Series::financeDiv(m_a, b, zeroResult));
    }
    ArrayMath &abs() { return set(Series::abs(m_a)); }
    ArrayMath &delta(int offset = 1) { return set(Series::delta(m_a, offset)); }
    ArrayMath &shift(int offset = 1, double fill = 1.7e308)
    {
        return set(Series::shift(m_a, offset, fill));
    }
    ArrayMath &max(const Array &b) { return set(Series::max(m_a, b)); }
    ArrayMath &max(double b) { return set(Series::max(m_a, b)); }
    ArrayMath &min(const Array &b) { return set(Series::min(m_a, b)); }
    ArrayMath &min(double b) { return set(Series::min(m_a, b)); }
    ArrayMath &replace(double from, double to) { return set(Series::replace(m_a, from, to)); }

    ArrayMath &movAvg(int n) { return set(Series::movAvg(m_a, n)); }
    ArrayMath &expAvg(double factor) { return set(Series::expAvg(m_a, factor)); }
    ArrayMath &movMin(int n) { return set(Series::movMin(m_a, n)); }
    ArrayMath &movMax(int n) { return set(Series::movMax(m_a, n)); }
    ArrayMath &movStdDev(int n) { return set(Series::movStdDev(m_a, n)); }
    ArrayMath &movSum(int n) { return set(Series::movSum(m_a, n)); }
    ArrayMath &acc() { return set(Series::accumulate(m_a)); }

    ArrayMath &selectGTZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectGTZ(m_a, selector, fill));
    }
    ArrayMath &selectLTZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectLTZ(m_a, selector, fill));
    }
    ArrayMath &selectEQZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectEQZ(m_a, selector, fill));
    }
    ArrayMath &selectGEZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectGEZ(m_a, selector, fill));
    }
    ArrayMath &selectLEZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectLEZ(m_a, selector, fill));
    }
    ArrayMath &selectNEZ(const Array &selector = {}, double fill = 0)
    {
        return set(Series::selectNEZ(m_a, selector, fill));
    }

    // Keeps count points from start.
    ArrayMath &trim(int start, int count = -1);

    // Largest and smallest value and the last value, skipping missing points (NoValue if none).
    double maxValue() const;
    double minValue() const;
    double lastValue() const;

private:
    ArrayMath &set(Array &&a)
    {
        m_a = std::move(a);
        return *this;
    }
    Array m_a;
};
