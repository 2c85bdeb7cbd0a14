#include "job/ToolPath.h"

#include <cmath>

#include "model/Placement.h"

namespace tarvex {

namespace {

// Strips: a cut up the right edge of every part whose edge differs from the last
// one, and along its upper edge back to its left edge.
void GuillotinePath(std::vector<ToolCut>& out, const PlannedSheet& sheet, double s) {
    double lastX = 0.0;
    for (const Placement& p : sheet.parts) {
        const double X = p.x + p.length + s / 2;
        if (X != lastX) {
            out.push_back({{X, p.y}, {X, sheet.width}});
            lastX = X;
        }
        const double top = p.y + p.width + s / 2;
        out.push_back({{X, top}, {p.x, top}});
    }
}

// Cut lines already made, compared exactly: a common edge of two neighbours with
// the same start and length is cut once.
class CutRegister {
  public:
    bool Add(double x, double y, double length) {
        for (const Segment& l : lines_)
            if (l.x == x && l.y == y && l.length == length) return false;
        lines_.push_back({x, y, length});
        return true;
    }

  private:
    std::vector<Segment> lines_;
};

// Clockwise around every part (seen with y upward), the edges on the sheet border
// left out.
void FreePath(std::vector<ToolCut>& out, const PlannedSheet& sheet, double s) {
    CutRegister vertical, horizontal;
    const double L = sheet.length, W = sheet.width, h = s / 2;
    for (const Placement& p : sheet.parts) {
        const double x = p.x, y = p.y, a = p.length, b = p.width;
        if (x != 0 && vertical.Add(x - h, y, b)) out.push_back({{x - h, y}, {x - h, y + b}});
        if (y + b != W && horizontal.Add(x, y + b + h, a))
            out.push_back({{x, y + b + h}, {x + a, y + b + h}});
        if (x + a != L && vertical.Add(x + a + h, y, b))
            out.push_back({{x + a + h, y + b}, {x + a + h, y}});
        if (y != 0 && horizontal.Add(x, y - h, a)) out.push_back({{x + a, y - h}, {x, y - h}});
    }
}

}  // namespace

double ToolCut::Length() const {
    return std::hypot(to.x - from.x, to.y - from.y);
}

std::vector<ToolCut> ToolPathOf(const PlannedSheet& sheet, const CutSettings& cut) {
    std::vector<ToolCut> path;
    if (cut.guillotine)
        GuillotinePath(path, sheet, cut.bladeWidth);
    else
        FreePath(path, sheet, cut.bladeWidth);
    return path;
}

double ToolPathLength(const std::vector<ToolCut>& path) {
    double total = 0.0;
    for (const ToolCut& c : path) total += c.Length();
    return total;
}

}  // namespace tarvex
