#include "export/GcodeExport.h"

#include "job/ToolPath.h"
#include "render/LayoutPage.h"
#include "text/NumberText.h"

namespace tarvex {

namespace {

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
    void Cut(const ToolCut& cut) {
        items_.push_back(lift_);
        items_.push_back(Move(rapid_, cut.from));
        items_.push_back(plunge_);
        items_.push_back(Move(feed_, cut.to));
    }

    void Finish() {
        items_.push_back(lift_);
        items_.push_back(rapid_ + "X0 Y0");
    }

    std::vector<std::string> Take() { return std::move(items_); }

  private:
    static std::string Move(const std::string& word, ToolPoint p) {
        return word + "X" + FormatFixed(p.x, 2) + " Y" + FormatFixed(p.y, 2);
    }

    std::string rapid_, feed_, lift_, plunge_;
    std::vector<std::string> items_;
};

}  // namespace

std::vector<std::string> BuildGcodeItems(const ExportSource& source, int layoutIndex,
                                         const std::string& stamp) {
    const PlannedSheet* sheet = source.result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    const LayoutCaptions c = MakeLayoutCaptions(*sheet, {});  // the program keeps decimals
    ProgramWriter out(source.result.settings.cnc);
    out.Comment("\t", stamp);
    out.Comment("------------ Layouts ", std::to_string(layoutIndex + 1) + " ------------");
    out.Comment("Label: ", c.sheetLabel);
    out.Comment("Quant: ", c.sheetCount);
    out.Comment("Length: ", c.sheetLength);
    out.Raw("!Width: " + SingleLineText(c.sheetWidth) + "\n!\n!");
    for (const ToolCut& cut : ToolPathOf(*sheet, source.result.settings.cut)) out.Cut(cut);
    out.Finish();
    return out.Take();
}

ExportOutcome ExportGcode(const ExportSource& source, int layoutIndex, const std::string& path) {
    const std::vector<std::string> items = BuildGcodeItems(source, layoutIndex, ExportTimeStamp());
    if (items.empty()) return NoSuchLayout(layoutIndex);
    return WriteExportItems(path, items);
}

}  // namespace tarvex
