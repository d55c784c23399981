#pragma once
// Selections: keep the points whose selector meets a condition, put a fill value (0 by
// default) elsewhere. Without a selector the series selects itself. A missing selector or
// point stays missing.

#include <vector>

namespace Series {

using Array = std::vector<double>;

Array selectGTZ(const Array &a, const Array &selector = {}, double fill = 0);
Array selectLTZ(const Array &a, const Array &selector = {}, double fill = 0);
Array selectEQZ(const Array &a, const Array &selector = {}, double fill = 0);
Array selectGEZ(const Array &a, const Array &selector = {}, double fill = 0);
Array selectLEZ(const Array &a, const Array &selector = {}, double fill = 0);
Array selectNEZ(const Array &a, const Array &selector = {}, double fill = 0);

} // namespace Series
