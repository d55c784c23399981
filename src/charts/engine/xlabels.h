#pragma once
// Which points of a label-based x axis get a tick or a label, and with which text: date
// filters (start of hour, day, month, year ...) and multi-level formats.

#include "axis.h"
#include "chartconst.h"
#include "labeltemplate.h"

#include <QString>
#include <vector>

namespace XLabels {

struct Candidate
{
    int index;
    QString text; // empty for a tick without label
    int priority; // lower wins when labels collide
};

// Tells, point by point from the first shown one, whether a filter lets the point pass.
class FilterState
{
public:
    FilterState(int filter, const std::vector<double> &times, int first);
    bool passes(int i);

private:
    long long bucket(double t) const;
    double bucketStart(double t) const;
    double bucketLength(double t) const;
    Chart::Filter m_f;
    const std::vector<double> &m_t;
    int m_first;
    int m_count = 0;
    // The bucket of the point last asked about: points come in order, so the previous
    // point's bucket is usually known.
    int m_lastIndex = -2;
    long long m_lastBucket = 0;
};

// Candidates from multi-level formats over points first..last of the timestamps.
std::vector<Candidate> fromMultiFormat(const std::vector<double> &times, int first, int last,
                                       const std::vector<Axis::FormatEntry> &entries);

} // namespace XLabels
