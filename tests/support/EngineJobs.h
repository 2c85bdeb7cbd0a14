// Generated layout jobs for comparing the fast engine with the reference and for
// timing them: part records made by the job builder (layout order key of the entered
// sizes, one kerf added), sheet records with their usable extents, and the cut
// settings the job is laid out with.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/CutSettings.h"
#include "model/Part.h"
#include "model/Placement.h"
#include "model/Sheet.h"

namespace tarvex {

struct EngineJob {
    CutSettings settings;
    std::vector<WorkPart> parts;
    std::vector<LaidOutSheet> sheets;
};

// A turnable part record of entered sizes as the job builder makes it: layout order key
// of those sizes, then one blade width added.
WorkPart MakePart(double length, double width, double bladeWidth, std::int32_t id = 0,
                  std::string label = {});
LaidOutSheet MakeSheet(double usableLength, double usableWidth, std::int32_t id = 0);

// A small job full of the cases where the engines could part ways: kerf and no
// kerf, parts exactly as long or wide as the usable area, tiny and oversized
// parts, repeated sizes (equal layout order keys), decimal usable sizes, turned parts.
EngineJob RandomEdgeJob(std::mt19937_64& rng, bool guillotine);

// A job shaped like furniture work, made by the job builder: a few dozen part
// kinds in quantities, kerf 4, sheets of 2440 by 1220 less 10 margins, as many
// sheets as the job input would take (usable area beyond 1.5 times the part area).
EngineJob RealisticJob(int partCount, bool guillotine, std::uint64_t seed);

// Turns each turnable record of the candidate at random, as the optimizer does
// between evaluations (records already turned are turned back first).
void RandomTurns(std::vector<WorkPart>& parts, std::mt19937_64& rng);

// The same double, bit for bit (any two NaNs count as the same).
bool SameBits(double a, double b);
// Field by field, doubles bit for bit.
bool SameRecord(const WorkPart& a, const WorkPart& b);
bool SameRecord(const Footprint& a, const Footprint& b);
bool SameRecord(const Offcut& a, const Offcut& b);
bool SameRecord(const Segment& a, const Segment& b);
// Placements, offcuts and segments identical and in the same order.
bool SameLayout(const LaidOutSheet& a, const LaidOutSheet& b);

}  // namespace tarvex
