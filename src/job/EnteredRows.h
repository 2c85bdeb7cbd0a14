// The entry tables as the user typed them, every data row in table order (data row
// n at index n - 1, the index a plan's records keep as their entry row): what the
// report, the exports and the stored plan print back. The texts are a display
// payload, filled by the readers that converted the values beside them; nothing
// below those readers reads them as numbers again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "job/EdgeBanding.h"

namespace tarvex {

// Which way a sheet's grain runs: along its length (what a part that may not be
// turned keeps its length along), across it, or not at all.
enum class Grain { Length, Width, None };

// The word files and the JSON store: "length", "width" or "none".
inline const char* GrainWord(Grain grain) {
    switch (grain) {
        case Grain::Width:
            return "width";
        case Grain::None:
            return "none";
        case Grain::Length:
            break;
    }
    return "length";
}

// The cells of a part row, as typed.
struct PartTexts {
    std::string label, length, width, quantity, rotatable;
    std::string material;
    EdgeBandingNames banding{};
    bool operator==(const PartTexts&) const = default;
};

// The cells of a sheet row, as typed ("Left Quant" is the plan's, not typed).
struct SheetTexts {
    std::string label, length, width, quantity, cost, priority;
    std::string material, grain;
    bool operator==(const SheetTexts&) const = default;
};

// A value is nothing where its cell does not convert (a row the job skipped).
struct EnteredPart {
    PartTexts texts;
    std::string label;  // trimmed, as the job's records carry it
    std::optional<int> quantity;
    bool rotatable = false;
    std::string material;        // trimmed
    EdgeBandingNames banding{};  // trimmed
    // As typed: the finished sizes when the job cuts parts smaller by their banding.
    std::optional<double> length{}, width{};
    bool operator==(const EnteredPart&) const = default;
};

struct EnteredSheet {
    SheetTexts texts;
    std::string label;  // trimmed, as the job's records carry it
    std::optional<double> length, width, cost;
    std::optional<int> quantity;
    bool priority = false;
    std::string material;  // trimmed
    Grain grain = Grain::Length;
    bool operator==(const EnteredSheet&) const = default;
};

struct EnteredRows {
    std::vector<EnteredPart> parts;
    std::vector<EnteredSheet> sheets;
    bool operator==(const EnteredRows&) const = default;
};

}  // namespace tarvex
