#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The rules that decide when an alert fires, kept free of the store and of widgets.
namespace AlertRules {

// Comparison codes as stored in alerts.compare: the position of the choice in the editor.
enum Compare
{
    Greater = 0,
    Lesser = 1,
    Equals = 2
};

// ">", "<" or "==" (any unknown code reads as "==").
QString compareSymbol(int code);

// A quote value read as a number: "182.31", "+1.25", "-0.4", "+1.5%", "1.2B", "850.3M", "12K".
// Nothing for text that is no number ("N/A", " - ", "", "12.5 - 13.1").
std::optional<double> readNumber(QStringView text);

// The threshold of an alert as the user typed it; it keeps its own decimal places and unit, so
// "Equals 1.2B" compares the value in billions at one decimal place.
struct Threshold
{
    double value = 0; // in plain units (1.2B = 1.2e9)
    double unit = 1;  // 1, 1e3, 1e6 or 1e9
    int decimals = 0; // decimal places written
};
std::optional<Threshold> readThreshold(QStringView text);

// Whether the condition holds for the value seen; nothing when there is no value to compare.
std::optional<bool> conditionHolds(int compare, const Threshold &threshold,
                                   std::optional<double> current);

// An alert fires once per crossing: when its condition holds now and did not hold at the last
// evaluation that had a value (or there was none yet).
inline bool firesOnCrossing(std::optional<bool> before, std::optional<bool> now)
{
    return now.value_or(false) && !before.value_or(false);
}

// The result to keep for the next evaluation: a snapshot without a value keeps the last one,
// so a gap in the data does not make a condition that stays true fire again.
inline std::optional<bool> nextState(std::optional<bool> before, std::optional<bool> now)
{
    return now.has_value() ? now : before;
}

} // namespace AlertRules
