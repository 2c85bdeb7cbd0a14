// Everything a calculation runs with and its result is written with: how the job
// is cut, how long the search runs, and what the exports and printouts follow.
#pragma once

#include <cstdint>
#include <string>

#include "job/EdgeBanding.h"
#include "model/CutSettings.h"

namespace tarvex {

struct CncSettings {
    bool huazhong = true;  // the program's dialect: Huazhong, otherwise Siemens
    double safeHeight = 0.02;
    double drillDepth = -0.02;
    bool operator==(const CncSettings&) const = default;
};

struct PrintSettings {
    std::string title;
    std::string font;
    std::string fontSize;  // as typed; the printout falls back when it is not a number
    bool operator==(const PrintSettings&) const = default;
};

// Classic: the genetic search alone. Best: the best search from the classic
// search's plan, with all the stock the rows offer.
enum class SearchMethod { Classic, Best };

struct JobSettings {
    CutSettings cut;
    double speed = 1.0;  // speed/quality 1 .. 12
    SearchMethod search = SearchMethod::Classic;
    double timeLimit = 10.0;  // seconds a best search calculation runs, its classic start included
    // When above 0 the best search takes this many steps per lane instead of a time limit.
    std::int64_t bestSteps = 0;
    // Shown beside the numbers, never converted; a unit of inches also reads and
    // may show fractions (LengthFormatOf).
    std::string unit;
    int decimals = 2;
    std::string offcutPrefix = "YL";
    CncSettings cnc;
    PrintSettings print;
    BandingSettings banding{};

    bool operator==(const JobSettings&) const = default;
};

}  // namespace tarvex
