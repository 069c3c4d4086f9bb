// The log writers stamp every line with FormatDateTime and most money texts go through
// FormatFloat. Each benchmark has a C library baseline beside it, producing the same text for the
// same value, so that the figures read as ratios.
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Numbers.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

using namespace zelt;

const double kValues[] = {1234.5678, 0.125, 98765.4321, 7.5, 1999999.99, 0.0049, 42, 318.7};
constexpr std::size_t kCount = sizeof kValues / sizeof kValues[0];

void FormatFloatPattern(benchmark::State& state, const char* pattern) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFloat(pattern, kValues[i++ % kCount]));
    }
}

void BM_FormatFloat_Fixed2(benchmark::State& state) {
    FormatFloatPattern(state, "#######0.00");
}
void BM_FormatFloat_Grouped(benchmark::State& state) {
    FormatFloatPattern(state, "###,###,##0");
}
void BM_FormatFloat_Percent(benchmark::State& state) {
    FormatFloatPattern(state, "##0.#%");
}

// Baseline: "%.2f" into a buffer, then a std::string as FormatFloat returns.
void BM_Snprintf_Fixed2(benchmark::State& state) {
    std::size_t i = 0;
    char buf[64];
    for (auto _ : state) {
        const int n = std::snprintf(buf, sizeof buf, "%.2f", kValues[i++ % kCount]);
        benchmark::DoNotOptimize(std::string(buf, static_cast<std::size_t>(n)));
    }
}

const TDateTime kStamp = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);

void FormatDateTimePattern(benchmark::State& state, const char* pattern) {
    TDateTime t = kStamp;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatDateTime(pattern, t));
        t += 1.0 / 86400000.0; // one millisecond further each line
    }
}

void BM_FormatDateTime_LogMs(benchmark::State& state) {
    FormatDateTimePattern(state, "dd/mm/yyyy hh:nn:ss,zzz");
}
void BM_FormatDateTime_Short(benchmark::State& state) {
    FormatDateTimePattern(state, "dd/mm/yy hh:nn:ss");
}

// Baseline: the same stamp from a broken-down time with strftime plus the milliseconds.
void BM_Strftime_LogMs(benchmark::State& state) {
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 14;
    tm.tm_min = 7;
    tm.tm_sec = 9;
    int ms = 45;
    char buf[64];
    for (auto _ : state) {
        std::size_t n = std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &tm);
        n += static_cast<std::size_t>(std::snprintf(buf + n, sizeof buf - n, ",%03d", ms));
        benchmark::DoNotOptimize(std::string(buf, n));
        ms = (ms + 1) % 1000;
    }
}

void BM_Strftime_Short(benchmark::State& state) {
    std::tm tm{};
    tm.tm_year = 2024 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 5;
    tm.tm_hour = 14;
    tm.tm_min = 7;
    tm.tm_sec = 9;
    char buf[64];
    for (auto _ : state) {
        const std::size_t n = std::strftime(buf, sizeof buf, "%d/%m/%y %H:%M:%S", &tm);
        benchmark::DoNotOptimize(std::string(buf, n));
    }
}

// The decoding a real stamp needs (localtime_r from a time_t), as a second, fairer baseline.
void BM_LocaltimeStrftime_LogMs(benchmark::State& state) {
    std::time_t t = 1709658429;
    char buf[64];
    int ms = 45;
    for (auto _ : state) {
        std::tm tm{};
        localtime_r(&t, &tm);
        std::size_t n = std::strftime(buf, sizeof buf, "%d/%m/%Y %H:%M:%S", &tm);
        n += static_cast<std::size_t>(std::snprintf(buf + n, sizeof buf - n, ",%03d", ms));
        benchmark::DoNotOptimize(std::string(buf, n));
        ms = (ms + 1) % 1000;
    }
}

} // namespace

BENCHMARK(BM_FormatFloat_Fixed2);
BENCHMARK(BM_Snprintf_Fixed2);
BENCHMARK(BM_FormatFloat_Grouped);
BENCHMARK(BM_FormatFloat_Percent);
BENCHMARK(BM_FormatDateTime_LogMs);
BENCHMARK(BM_Strftime_LogMs);
BENCHMARK(BM_LocaltimeStrftime_LogMs);
BENCHMARK(BM_FormatDateTime_Short);
BENCHMARK(BM_Strftime_Short);

BENCHMARK_MAIN();
