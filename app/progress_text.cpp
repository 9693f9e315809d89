#include "progress_text.h"

#include <cstdio>

std::string ShortCount(long long n)
{
    static const char kUnits[] = "kMGT";
    if (n < 1000)
        return std::to_string(n < 0 ? 0 : n);
    double value = static_cast<double>(n);
    int unit = -1;
    // Rounding can carry into the next unit (999.96k is 1.0M).
    while (unit < 3 && value >= 999.95) {
        value /= 1000;
        ++unit;
    }
    char text[16];
    std::snprintf(text, sizeof text, value < 99.95 ? "%.1f%c" : "%.0f%c", value, kUnits[unit]);
    return text;
}

std::string ProgressText(int rootEntry, long long nodes, double seconds)
{
    const std::string where = rootEntry >= 0 ? std::to_string(rootEntry + 1) : "root";
    const long long rate = seconds > 0 ? static_cast<long long>(nodes / seconds) : 0;
    return where + ": " + ShortCount(nodes) + " pos, " + ShortCount(rate) + "/s";
}
