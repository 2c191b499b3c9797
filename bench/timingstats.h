// What the microbenchmarks report of their timed runs: min, median, mean and max in microseconds,
// printed as a table and written as JSON.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

struct Stats {
    std::string name;
    size_t iterations = 0;
    double minUs = 0, medianUs = 0, meanUs = 0, maxUs = 0;
    double paintsPerIteration = 0;
};

inline Stats summarise(const std::string& name, std::vector<double> us,
                       double paintsPerIteration = 0) {
    std::sort(us.begin(), us.end());
    const size_t n = us.size();
    double sum = 0;
    for (double v : us)
        sum += v;
    return {name,
            n,
            us.front(),
            n % 2 ? us[n / 2] : (us[n / 2 - 1] + us[n / 2]) / 2,
            sum / static_cast<double>(n),
            us.back(),
            paintsPerIteration};
}

// The table on stdout; the paints column only where the benchmark counts paints.
inline void printStats(const std::vector<Stats>& results, bool withPaints) {
    std::printf("%-40s %9s %10s %10s %10s %10s%s\n", "case (microseconds)", "runs", "min", "median",
                "mean", "max", withPaints ? "   paints" : "");
    for (const Stats& s : results) {
        std::printf("%-40s %9zu %10.2f %10.2f %10.2f %10.2f", s.name.c_str(), s.iterations, s.minUs,
                    s.medianUs, s.meanUs, s.maxUs);
        if (withPaints)
            std::printf(" %8.1f", s.paintsPerIteration);
        std::printf("\n");
    }
}

// False when the file cannot be written.
inline bool writeStatsJson(const char* path, const std::vector<Stats>& results) {
    FILE* out = std::fopen(path, "w");
    if (!out)
        return false;
    std::fprintf(out, "[\n");
    for (size_t k = 0; k < results.size(); ++k) {
        const Stats& s = results[k];
        std::fprintf(out,
                     "  {\"name\": \"%s\", \"iterations\": %zu, \"min_us\": %.3f, "
                     "\"median_us\": %.3f, \"mean_us\": %.3f, \"max_us\": %.3f, "
                     "\"paints_per_iteration\": %.2f}%s\n",
                     s.name.c_str(), s.iterations, s.minUs, s.medianUs, s.meanUs, s.maxUs,
                     s.paintsPerIteration, k + 1 < results.size() ? "," : "");
    }
    std::fprintf(out, "]\n");
    return std::fclose(out) == 0;
}
