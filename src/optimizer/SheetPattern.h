// Sheet patterns of the best search: the parts of a job grouped into piece types,
// its sheets into stock kinds, and one sheet's layout as pieces of those types in
// strips, stacks and pieces, the way a panel saw takes it apart in stages.
//
// Every size here is a room: a part with one blade width, as the job holds it,
// and a sheet's usable area with one blade width more, as the cut after the last
// part in a row or column falls off the sheet. Rooms that do not overlap leave a
// blade width between the parts they hold, and no part outside the usable area.
#pragma once

#include <cstdint>
#include <vector>

#include "model/CutSettings.h"
#include "model/Job.h"

namespace tarvex {

// Parts of one size that turn alike: any one of them serves where another does.
struct PieceType {
    double length = 0, width = 0;  // unturned
    bool rotatable = false;
    std::vector<std::int32_t> parts;  // job part indices
    std::int32_t Demand() const { return static_cast<std::int32_t>(parts.size()); }
};

// Sheets of one row kind: interchangeable in every plan.
struct StockKind {
    double length = 0, width = 0;  // the room
    double value = 0;  // what one sheet adds to the plan's figure (a trace for priority sheets)
    bool usedFirst = false;
    std::vector<std::int32_t> sheets;  // job sheet indices
};

struct PatternPiece {
    std::int32_t type = 0;
    bool turned = false;
    double x = 0, y = 0;  // corner of its room, from the usable area's origin
};

// A rectangle of the sheet's room that holds no piece.
struct PatternRoom {
    double x = 0, y = 0, length = 0, width = 0;
};

struct SheetPattern {
    std::int32_t kind = 0;
    std::vector<PatternPiece> pieces;
    std::vector<PatternRoom> free;

    std::vector<std::int32_t> Counts(std::size_t types) const;
    // Takes one piece away; its room becomes free.
    void Remove(std::size_t piece, const std::vector<PieceType>& types);
};

// The job's piece types and stock kinds. The kinds come in the order a new sheet
// is chosen: priority ones, then by their figure.
struct PatternJob {
    std::vector<PieceType> types;
    std::vector<StockKind> kinds;
    std::vector<std::int32_t> typeOf;  // per job part

    static PatternJob Of(const Job& job, const CutSettings& settings);
};

// The piece's extents along x and y as it lies.
inline double PieceLength(const PieceType& t, bool turned) {
    return turned ? t.width : t.length;
}
inline double PieceWidth(const PieceType& t, bool turned) {
    return turned ? t.length : t.width;
}

// The sheet laid out by the pattern: `parts` gives, per type, the job parts still
// to be handed out (taken from the back), `placed` gets those it takes. Offcuts are the free rooms
// worth keeping, less the blade width that parts them from what lies beyond.
LaidOutSheet LayOutPattern(const SheetPattern& pattern, const Job& job, const CutSettings& settings,
                           std::int32_t sheet, std::vector<std::vector<std::int32_t>>& parts,
                           std::vector<std::int32_t>& placed, double& placedArea);

}  // namespace tarvex
