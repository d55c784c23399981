#pragma once

#include <vector>

// Indicators that weigh price moves by traded volume. Volumes are the traded counts (not scaled
// to a unit). A point missing any input gives no value and is skipped: "previous" means the
// previous point with values. Each function names its look-back: the number of points with
// values it needs before its first value.
namespace Indicators {

using Series = std::vector<double>;

// Where the close lies in the day's range, -1 (at the low) .. 1 (at the high); 0 for a day
// without range. Look-back 0.
Series closeLocationValue(const Series &high, const Series &low, const Series &close);

// Running total of close location value × volume. Look-back 0.
Series accumulationDistribution(const Series &high, const Series &low, const Series &close,
                                const Series &volume);

// Sum of close location value × volume over the period divided by the volume of the period
// (0 without volume). Look-back period - 1.
Series chaikinMoneyFlow(const Series &high, const Series &low, const Series &close,
                        const Series &volume, int period);

// Fast minus slow exponential average of the accumulation/distribution line, both seeded with
// its first value. Look-back slow - 1.
Series chaikinOscillator(const Series &high, const Series &low, const Series &close,
                         const Series &volume, int fast, int slow);

// Running total of the volume, added on rising and subtracted on falling closes, starting at 0.
// Look-back 0.
Series onBalanceVolume(const Series &close, const Series &volume);

// Running total of volume × relative close change, starting at 0. Look-back 0.
Series priceVolumeTrend(const Series &close, const Series &volume);

// Index starting at 1000 that follows the relative close change only on days whose volume fell
// (negative) or rose (positive) from the day before. Look-back 0.
Series negativeVolumeIndex(const Series &close, const Series &volume);
Series positiveVolumeIndex(const Series &close, const Series &volume);

// Share of the typical-price money flow over the period that came on days of a rising typical
// price, 0..100 (50 when nothing moved). Look-back period.
Series moneyFlowIndex(const Series &high, const Series &low, const Series &close,
                      const Series &volume, int period);

// Moving average over the period of the one-day ease of movement: the change of the range's
// midpoint divided by the box ratio (volume / 10000) / range. A day without range or volume
// counts as 0. Look-back period.
Series easeOfMovement(const Series &high, const Series &low, const Series &volume, int period);

} // namespace Indicators
