// The job as typed: the rows of the part and sheet tables with their values
// converted, each with its data row number (1 for the first) for messages, and
// the settings. Entry tables, list and project files and the command line all
// come to this before a job is built.
#pragma once

#include <string>
#include <vector>

#include "job/EdgeBanding.h"
#include "job/EnteredRows.h"
#include "job/JobSettings.h"

namespace tarvex {

struct PartRow {
    std::string label;
    double length = 0;
    double width = 0;
    int quantity = 0;
    bool rotatable = false;
    int row = 0;
    // Planned only on sheets of the same material; empty is the one unnamed material.
    std::string material{};
    // The banding named on each edge, trimmed; empty for an edge without.
    EdgeBandingNames banding{};

    bool operator==(const PartRow&) const = default;
};

// Length, width and cost are only read from rows with a quantity above 0.
struct SheetRow {
    std::string label;
    double length = 0;
    double width = 0;
    int quantity = 0;
    double cost = 0;        // of one sheet
    bool priority = false;  // used before the other rows
    int row = 0;
    std::string material{};
    Grain grain{Grain::Length};

    bool operator==(const SheetRow&) const = default;
};

struct JobRows {
    std::vector<PartRow> parts;
    std::vector<SheetRow> sheets;
    JobSettings settings;
    // Every data row as typed, for the applied result to print back; `row` of the
    // rows above is one more than an index into it.
    EnteredRows entered;
};

}  // namespace tarvex
