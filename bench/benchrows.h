#pragma once
// The benchmarks' common output: rows of the one table that bench/run.sh prints, and notes above it.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

inline void note(const std::string& text)
{
    std::printf("note: %s\n", text.c_str());
    std::fflush(stdout);
}

inline void row(const std::string& what, const std::string& value, const std::string& budget,
                const std::string& verdict)
{
    std::printf("| %s | %s | %s | %s |\n", what.c_str(), value.c_str(), budget.c_str(), verdict.c_str());
    std::fflush(stdout);
}

inline std::string fixed(double v, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

inline std::string micros(double us)
{
    return fixed(us, us < 10 ? 2 : 1) + " µs";
}
inline std::string millis(double ms)
{
    return fixed(ms, ms < 10 ? 2 : 1) + " ms";
}
inline std::string verdict(bool met)
{
    return met ? "met" : "**over**";
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

} // namespace bench
