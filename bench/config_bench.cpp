#include "benches.h"

// The configuration file: saving happens on a click and loading once at
// start, so both must stay well under what an operator would notice (a few
// milliseconds), even for the largest file the reader accepts.

#include "app/configuration_file.h"
#include "app/configuration_table.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsPer(Clock::duration total, int rounds)
{
    return std::chrono::duration<double, std::micro>(total).count() / rounds;
}

velmora::ConfigurationValues typicalValues()
{
    velmora::ConfigurationValues values = velmora::firstStartValues();
    values[32] = "PLAQUE N\xb0 12, \"ATELIER\"";
    values[33] = "  Gravure d'essai  ";
    return values;
}

void benchParsing()
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "valeur de ligne assez longue pour compter\r\n";
    constexpr int rounds = 200;
    const auto start = Clock::now();
    std::size_t read = 0;
    for (int i = 0; i < rounds; ++i) {
        read += velmora::readConfigurationValues(bytes).size();
    }
    std::printf("  read a 5000-line file (1000 kept):  %8.1f us each (%zu values)\n",
                microsecondsPer(Clock::now() - start, rounds), read / rounds);
}

void benchSaveAndLoad()
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "velmora-bench-config";
    std::filesystem::create_directories(folder);
    const velmora::ConfigurationValues values = typicalValues();

    constexpr int rounds = 50;
    auto start = Clock::now();
    int failures = 0;
    for (int i = 0; i < rounds; ++i)
        failures += velmora::saveConfiguration(folder, values).ok() ? 0 : 1;
    std::printf("  save 37 values (synced, atomic):    %8.1f us each (%d failed)\n",
                microsecondsPer(Clock::now() - start, rounds), failures);

    start = Clock::now();
    int mismatches = 0;
    for (int i = 0; i < rounds; ++i) {
        const auto loaded = velmora::loadConfiguration(folder);
        mismatches += loaded.ok() && velmora::firstConfigurationValues(loaded.value().values) == values ? 0 : 1;
    }
    std::printf("  load 37 values:                     %8.1f us each (%d mismatched)\n",
                microsecondsPer(Clock::now() - start, rounds), mismatches);
    std::filesystem::remove_all(folder);
}

}  // namespace

void velmora::bench::configurationBench()
{
    std::printf("Configuration file\n");
    benchParsing();
    benchSaveAndLoad();
}
