#pragma once

#include <QString>
#include <cstdio>

// One benchmark figure per line: "BENCH <name> <value> <unit>".
inline void benchReport(const char *name, double value, const char *unit)
{
    std::printf("BENCH %s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}
