// The command line of tarvex-cli.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/Exports.h"

namespace tarvex {

// Exit codes.
enum ExitCode {
    kExitAllPlaced = 0,
    kExitBadInput = 1,  // bad input or a file error
    kExitRefused = 2,   // the parts need more area than the sheets offer
    kExitSomeNotPlaced = 3,
    kExitPlanRejected = 4,  // the plan failed the plan check: nothing is written
};

struct CliOptions {
    std::string project;
    std::string sheets, parts;
    std::string banding;  // a banding list instead of the project's
    bool finishedSizes = false;
    std::optional<std::uint32_t> seed;
    int threads = 0;
    std::optional<int> speed;
    std::optional<std::string> search;  // classic or best
    std::optional<double> timeLimit;
    std::optional<std::int64_t> iterations;
    std::optional<std::string> stages;    // 2, 3 or any
    std::optional<std::string> firstCut;  // length, width or any
    bool guillotine = false, freePlacement = false, cost = false;
    std::optional<std::string> blade;
    std::vector<std::string> margins;    // top, bottom, left, right
    std::vector<std::string> minOffcut;  // length, width, area
    std::optional<std::string> prefix, unit;
    std::optional<int> fractions;  // 16 or 32: lengths in inches shown as such fractions
    std::string lang;
    std::string report, json, left;
    std::string plan;  // a stored plan to write out instead of a calculation
    ExportOptions exports;
    bool quiet = false;
};

void DefineOptions(CLI::App& app, CliOptions& options);

}  // namespace tarvex
