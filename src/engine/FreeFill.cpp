#include <cmath>

#include "engine/Fill.h"

namespace tarvex {

double FreeFillInto(WorkList& list, FillSheet& sheet, double x0, double y0, double usableLength,
                    double usableWidth, PlacementWriter& out) {
    Skyline& segments = list.Segments();
    segments.Load(sheet.segments, sheet.width, sheet.length);
    segments.Add(x0, y0, usableLength);
    if (list.Records().empty()) {
        segments.Store(sheet.segments);
        return 0;
    }
    double total = 0;
    double curX = x0, curY = 0, curLength = usableLength;
    for (;;) {
        int current = segments.Pick(curX, curY, curLength);
        // A level that is not a number could never be closed.
        if (curY == usableWidth || std::isnan(curY)) break;
        // A fill narrower than its sheet may pick no segment below the sheet's
        // width; the segment to close is then the first one at that level.
        if (current < 0) current = segments.FirstAtLevel(curY);
        if (list.Unplaced() == 0) break;
        const double depth = usableWidth - curY;
        // Lay parts side by side along the segment, each from the list position
        // after the previous one; the kerf rule looks at the whole usable area.
        bool finished = false;
        for (std::size_t from = 0;;) {
            EffectiveSize eff{};
            const std::size_t i = list.FirstFit(
                from,
                FitQuery(curLength, depth, usableLength, usableWidth, list.Settings().bladeWidth),
                eff);
            if (i == FitIndex::kNone) break;
            const WorkPart& part = list.Take(i);
            total += part.length * part.width;
            out.Add(part, curX, curY);
            segments.Add(curX, curY + eff.width, eff.length);
            if (curLength - eff.length < 0) {
                // The part overran the segment within the tolerance: it is used up.
                segments.Close(current, curX + eff.length, curY, curLength - eff.length,
                               usableLength, sheet.offcuts, list.Settings());
                finished = true;
                break;
            }
            curX += eff.length;
            curLength -= eff.length;
            from = i + 1;
        }
        // Only the first segment of the lowest level is tried: with nothing deeper
        // the fill is over, even if a neighbour at the same level had room.
        if (!segments.AnyBeyond(curY)) break;
        if (!finished)
            segments.Close(current, curX, curY, curLength, usableLength, sheet.offcuts,
                           list.Settings());
    }
    segments.Store(sheet.segments);
    for (const Segment& s : sheet.segments) {
        if (list.Settings().IsUsableOffcut(s.length, usableWidth - s.y))
            AppendOffcut(sheet.offcuts, s.x, s.y, s.length, usableWidth - s.y);
    }
    return total;
}

double FillFree(WorkList& list, LaidOutSheet& sheet, double x0, double y0, double usableLength,
                double usableWidth, std::vector<Footprint>& out) {
    PlacementWriter writer(out, out.size());
    FillSheet target = FillSheetOf(sheet);
    return FreeFillInto(list, target, x0, y0, usableLength, usableWidth, writer);
}

void PickLowestSegment(const LaidOutSheet& sheet, double& x, double& y, double& length) {
    Skyline segments;
    segments.Load(sheet.segments, sheet.width, sheet.length);
    segments.Pick(x, y, length);
}

void CloseSegment(LaidOutSheet& sheet, double gapX, double gapY, double gapLength,
                  double usableLength, const CutSettings& settings) {
    Skyline segments;
    segments.Load(sheet.segments, sheet.width, sheet.length);
    segments.Close(segments.FirstAtLevel(gapY), gapX, gapY, gapLength, usableLength, sheet.offcuts,
                   settings);
    segments.Store(sheet.segments);
}

}  // namespace tarvex
