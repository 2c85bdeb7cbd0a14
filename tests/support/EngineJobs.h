// Generated layout jobs for comparing the fast engine with the reference and for
// timing them: part records as the job input makes them (priority of the entered
// sizes, one kerf added), sheet records with their usable extents.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/Globals.h"

struct EngineSettings {
    double sawWidth = 0;
    double minLength = 0;
    double minWidth = 0;
    double minArea = 0;
    bool guillotine = false;
};

// Writes the settings into the job settings the engine reads.
void ApplySettings(const EngineSettings& settings);

struct EngineJob {
    EngineSettings settings;
    std::vector<TPartInfo> parts;
    std::vector<TSheetInfo> sheets;
};

// A part record of entered sizes: priority of those sizes, then one kerf added.
TPartInfo MakePart(double length, double width, double sawWidth, std::int32_t id = 0,
                   std::string label = {});
TSheetInfo MakeSheet(double usableLength, double usableWidth, std::int32_t id = 0);

// A small job full of the cases where the engines could part ways: kerf and no
// kerf, parts exactly as long or wide as the usable area, tiny and oversized
// parts, repeated sizes (equal priorities), decimal usable sizes, turned parts.
EngineJob RandomEdgeJob(std::mt19937_64& rng, bool guillotine);

// A job shaped like furniture work: a few dozen part kinds in quantities, kerf
// 4, sheets of 2440 by 1220 less 10 margins, as many sheets as the job input
// would take (usable area beyond 1.5 times the part area).
EngineJob RealisticJob(int partCount, bool guillotine, std::uint64_t seed);

// Turns each turnable record of the candidate at random, as the optimizer does
// between evaluations (records already turned are turned back first).
void RandomTurns(std::vector<TPartInfo>& parts, std::mt19937_64& rng);

// The same double, bit for bit (any two NaNs count as the same).
bool SameBits(double a, double b);
// Field by field, doubles bit for bit.
bool SameRecord(const TPartInfo& a, const TPartInfo& b);
// Placements, offcuts and segments identical and in the same order.
bool SameLayout(const TSheetInfo& a, const TSheetInfo& b);
