#include "engine/Fill.h"

namespace tarvex {

namespace {

class GuillotineFill {
  public:
    GuillotineFill(WorkList& list, FillSheet& sheet, PlacementWriter& out)
        : list_(list), sheet_(sheet), out_(out) {}

    // Puts the first fitting part into the corner, then fills the strip beyond
    // it along y, then everything beyond it along x; returns the placed area,
    // summed as strip + rest + part for every part.
    double Fill(double x, double y, double regionLength, double regionWidth) {
        std::vector<GuillotineFrame>& stack = list_.Frames();
        stack.clear();
        // The whole region counts as the usable area.
        stack.push_back(Unfilled(x, y, regionLength, regionWidth, true));
        double done = 0;  // the area of the rectangle finished last
        while (!stack.empty()) {
            GuillotineFrame& f = stack.back();
            if (f.stage == 0) {
                if (!PlaceCorner(f)) {
                    done = 0;
                    stack.pop_back();
                    continue;
                }
                f.stage = 1;
                // The strip ends at the first cut, unless the part took the whole length.
                const bool stripReachesFarX =
                    f.reachesFarX && f.length - f.part.length < kCutTolerance;
                stack.push_back(Unfilled(f.x, f.y + f.part.width, f.part.length,
                                         f.width - f.part.width, stripReachesFarX));
            } else if (f.stage == 1) {
                f.strip = done;
                f.stage = 2;
                stack.push_back(Unfilled(f.x + f.part.length, f.y, f.length - f.part.length,
                                         f.width, f.reachesFarX));
            } else {
                done = f.strip + done + f.area;
                stack.pop_back();
            }
        }
        return done;
    }

  private:
    static GuillotineFrame Unfilled(double x, double y, double length, double width,
                                    bool reachesFarX) {
        return GuillotineFrame{x, y, length, width, reachesFarX, 0, {}, 0, 0};
    }

    // Takes the first fitting part for the rectangle's corner; without one the
    // rectangle is an offcut if it is worth keeping. Empty rectangles are neither.
    bool PlaceCorner(GuillotineFrame& f) {
        if (f.length < kCutTolerance || f.width < kCutTolerance) return false;
        if (list_.Records().empty()) return false;
        const double refLength = f.reachesFarX ? f.length : kNoReference;
        const std::size_t i = list_.FirstFit(
            0, FitQuery(f.length, f.width, refLength, f.width, list_.Settings().bladeWidth),
            f.part);
        if (i == FitIndex::kNone) {
            if (list_.Settings().IsUsableOffcut(f.length, f.width))
                AppendOffcut(sheet_.offcuts, f.x, f.y, f.length, f.width);
            return false;
        }
        const WorkPart& part = list_.Take(i);
        out_.Add(part, f.x, f.y);
        f.area = part.length * part.width;
        return true;
    }

    WorkList& list_;
    FillSheet& sheet_;
    PlacementWriter& out_;
};

}  // namespace

double GuillotineFillInto(WorkList& list, FillSheet& sheet, double x, double y, double regionLength,
                          double regionWidth, PlacementWriter& out) {
    return GuillotineFill(list, sheet, out).Fill(x, y, regionLength, regionWidth);
}

double FillGuillotine(WorkList& list, LaidOutSheet& sheet, double x, double y, double regionLength,
                      double regionWidth, std::vector<Footprint>& out) {
    PlacementWriter writer(out, out.size());
    FillSheet target = FillSheetOf(sheet);
    return GuillotineFillInto(list, target, x, y, regionLength, regionWidth, writer);
}

}  // namespace tarvex
