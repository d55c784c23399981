#pragma once

#include <QString>

#include <optional>

// Share counts on a watchlist are whole numbers of shares.
namespace ShareCount {

// Largest count accepted; far beyond any private holding, and small enough that the store's
// number column gives it back digit for digit.
inline constexpr qint64 Maximum = 999'999'999'999;

// The count a user typed: digits only (surrounding spaces allowed), at most Maximum. Anything
// else, fractions and signs included, is no count.
std::optional<qint64> parseTyped(const QString &typed);

// The count as the store gives it back ("200", "200.0", "2e+08"); 0 when empty, negative or not
// a whole number.
qint64 fromStored(const QString &stored);

} // namespace ShareCount
