#include "export/GcodeExport.h"

#include "render/LayoutPage.h"
#include "text/NumberText.h"

namespace {

struct Point {
    double x, y;
};

class ProgramWriter {
  public:
    explicit ProgramWriter(const CncSettings& cnc)
        : rapid_(cnc.huazhong ? "G00 " : "G0 "),
          feed_(cnc.huazhong ? "G01 " : "G1 "),
          lift_(rapid_ + "Z" + FormatFixed(cnc.safeHeight, 3)),
          plunge_(feed_ + "Z" + FormatFixed(cnc.drillDepth, 3)) {}

    // A comment line; the value cannot end the line early and turn into motion.
    void Comment(const std::string& heading, const std::string& value) {
        items_.push_back("!" + heading + SingleLineText(value));
    }
    void Raw(const std::string& item) { items_.push_back(item); }

    // Every cut lifts and plunges again, also when it starts where the last ended.
    void Cut(Point from, Point to) {
        items_.push_back(lift_);
        items_.push_back(Move(rapid_, from));
        items_.push_back(plunge_);
        items_.push_back(Move(feed_, to));
    }

    void Finish() {
        items_.push_back(lift_);
        items_.push_back(rapid_ + "X0 Y0");
    }

    std::vector<std::string> Take() { return std::move(items_); }

  private:
    static std::string Move(const std::string& word, Point p) {
        return word + "X" + FormatFixed(p.x, 2) + " Y" + FormatFixed(p.y, 2);
    }

    std::string rapid_, feed_, lift_, plunge_;
    std::vector<std::string> items_;
};

void GuillotinePath(ProgramWriter& out, const PlannedSheet& sheet, double s) {
    double lastX = 0.0;
    for (const Placement& p : sheet.parts) {
        const double X = p.x + p.length + s / 2;
        if (X != lastX) {
            out.Cut({X, p.y}, {X, sheet.width});
            lastX = X;
        }
        const double top = p.y + p.width + s / 2;
        out.Cut({X, top}, {p.x, top});
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

void FreePath(ProgramWriter& out, const PlannedSheet& sheet, double s) {
    CutRegister vertical, horizontal;
    const double L = sheet.length, W = sheet.width, h = s / 2;
    for (const Placement& p : sheet.parts) {
        const double x = p.x, y = p.y, a = p.length, b = p.width;
        if (x != 0 && vertical.Add(x - h, y, b)) out.Cut({x - h, y}, {x - h, y + b});
        if (y + b != W && horizontal.Add(x, y + b + h, a))
            out.Cut({x, y + b + h}, {x + a, y + b + h});
        if (x + a != L && vertical.Add(x + a + h, y, b))
            out.Cut({x + a + h, y + b}, {x + a + h, y});
        if (y != 0 && horizontal.Add(x, y - h, a)) out.Cut({x + a, y - h}, {x, y - h});
    }
}

}  // namespace

std::vector<std::string> BuildGcodeItems(const ExportSource& source, int layoutIndex,
                                         const std::string& stamp) {
    const PlannedSheet* sheet = source.result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    const LayoutCaptions c = MakeLayoutCaptions(*sheet);
    ProgramWriter out(source.result.settings.cnc);
    out.Comment("\t", stamp);
    out.Comment("------------ Layouts ", std::to_string(layoutIndex + 1) + " ------------");
    out.Comment("Label: ", c.sheetLabel);
    out.Comment("Quant: ", c.sheetCount);
    out.Comment("Length: ", c.sheetLength);
    out.Raw("!Width: " + SingleLineText(c.sheetWidth) + "\n!\n!");
    const CutSettings& cut = source.result.settings.cut;
    if (cut.guillotine)
        GuillotinePath(out, *sheet, cut.bladeWidth);
    else
        FreePath(out, *sheet, cut.bladeWidth);
    out.Finish();
    return out.Take();
}

ExportOutcome ExportGcode(const ExportSource& source, int layoutIndex, const std::string& path) {
    const std::vector<std::string> items = BuildGcodeItems(source, layoutIndex, ExportTimeStamp());
    if (items.empty()) return NoSuchLayout(layoutIndex);
    return WriteExportItems(path, items);
}
