#include "export/DxfExport.h"

#include <algorithm>

#include "render/LayoutPage.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::string F3(double v) {
    return FormatFixed(v, 3);
}

// A TEXT entity of height 10 whose insertion point is its start.
std::string TextBlock(const std::string& layer, double x, double y, const std::string& text) {
    return "0\nTEXT\n8\n" + layer + "\n10\n" + F3(x) + "\n20\n" + F3(y) +
           "\n30\n0.000\n40\n10.000\n1\n" + SingleLineText(text) + "\n50\n0.000";
}

std::string Vertex(const std::string& layer, const std::string& x, const std::string& y) {
    return "0\nVERTEX\n8\n" + layer + "\n10\n" + x + "\n20\n" + y + "\n30\n0.000\n70\n1";
}

std::string PolylineHead(const std::string& layer) {
    return "0\nPOLYLINE\n8\n" + layer + "\n66\n1\n10\n0.000\n20\n0.000\n30\n0.000\n70\n1";
}

template <class Rectangle>
void AddRectangle(std::vector<std::string>& blocks, const std::string& head, const Rectangle& r) {
    blocks.push_back(head);
    const double x = r.x, y = r.y, a = r.length, b = r.width;
    blocks.push_back(Vertex("parts", F3(x), F3(y)));
    blocks.push_back(Vertex("parts", F3(x), F3(y + b)));
    blocks.push_back(Vertex("parts", F3(x + a), F3(y + b)));
    blocks.push_back(Vertex("parts", F3(x + a), F3(y)));
    blocks.push_back("0\nSEQEND\n8\nparts");
}

bool IsAscii(const std::vector<std::string>& blocks) {
    return std::all_of(blocks.begin(), blocks.end(), [](const std::string& b) {
        return std::all_of(b.begin(), b.end(), [](char c) { return (c & 0x80) == 0; });
    });
}

// Readers take a drawing without a version as 8-bit text in a code page. A drawing
// with other than ASCII text therefore declares the version whose files are UTF-8
// (the layer table then needs its handle); plain ASCII drawings keep the oldest
// form, which every reader takes.
void DeclareUtf8(std::string& header) {
    header.insert(header.find("9\n$LIMMIN"), "9\n$ACADVER\n1\nAC1021\n");
    const std::string table = "0\nTABLE\n2\nLAYER\n";
    header.insert(header.find(table) + table.size(), "5\n2\n");
}

// A banded edge is a line on layer "banding" along the part's side.
void AddBandedEdges(std::vector<std::string>& blocks, const Placement& p,
                    const EdgeBandingNames& names) {
    for (const Edge edge : kEdges) {
        if (NameOn(names, edge).empty()) continue;
        const double x2 = p.x + p.length, y2 = p.y + p.width;
        double a[2] = {p.x, p.y}, b[2] = {x2, p.y};
        switch (SideOf(edge, p.rotated)) {
            case PlanSide::Lower:
                break;
            case PlanSide::Upper:
                a[1] = b[1] = y2;
                break;
            case PlanSide::Left:
                b[0] = p.x, b[1] = y2;
                break;
            case PlanSide::Right:
                a[0] = b[0] = x2, b[1] = y2;
                break;
        }
        blocks.push_back("0\nLINE\n8\nbanding\n62\n5\n10\n" + F3(a[0]) + "\n20\n" + F3(a[1]) +
                         "\n30\n0.000\n11\n" + F3(b[0]) + "\n21\n" + F3(b[1]) + "\n31\n0.000");
    }
}

void AddReport(std::vector<std::string>& blocks, const ExportSource& source, int layoutIndex,
               const LayoutPage& page, const std::string& stamp) {
    const std::string layer = "Layout Report";
    const LayoutCaptions& c = page.captions;
    float y = -15.0f;
    blocks.push_back(TextBlock(layer, 0, y, stamp));
    y -= 15.0f;
    blocks.push_back(TextBlock(
        layer, 0, y, "------------ Layouts " + std::to_string(layoutIndex + 1) + " ------------"));
    y -= 15.0f;
    blocks.push_back(
        TextBlock(layer, 0, y,
                  "          Label: " + c.sheetLabel + "                    Qty.:" + c.sheetCount));
    y -= 15.0f;
    blocks.push_back(TextBlock(
        layer, 0, y,
        "          Length: " + c.sheetLength + "                   Width:" + c.sheetWidth));
    y -= 20.0f;
    blocks.push_back(TextBlock(layer, 0, y, "---Parts Info-----"));
    y -= 15.0f;
    const auto row = [&](const std::string& label, const std::string& length,
                         const std::string& width, const std::string& quantity,
                         const std::string& rotatable) {
        blocks.push_back(TextBlock(layer, 0, y, label));
        blocks.push_back(TextBlock(layer, 120, y, length));
        blocks.push_back(TextBlock(layer, 240, y, width));
        blocks.push_back(TextBlock(layer, 360, y, quantity));
        blocks.push_back(TextBlock(layer, 480, y, rotatable));
    };
    row("Label", "Length", "Width", "Quantity", "Rotatable");
    for (const LayoutPartRow& r : page.partRows) {
        if (r.label.empty()) continue;
        y -= 15.0f;
        const PartTexts typed = TypedTextsOf(source.result, r);
        row(r.label, typed.length, typed.width, std::to_string(r.quantity),
            EnteredRotatable(source.result, r) ? "R" : "N");
    }
}

}  // namespace

std::vector<std::string> BuildDxfBlocks(const ExportSource& source, int layoutIndex,
                                        const std::string& stamp) {
    const PlannedSheet* sheet = source.result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    const double L = sheet->length, W = sheet->width;
    std::vector<std::string> blocks;
    blocks.push_back(
        "0\nSECTION\n2\nHEADER\n9\n$LIMMIN\n10\n0.000\n20\n0.000\n9\n$LIMMAX\n10\n" + F3(L) +
        "\n20\n" + F3(W + 100) +
        "\n0\nENDSEC\n0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nLAYER\n70\n1\n0\nLAYER\n2\n0\n70\n64\n62"
        "\n7\n6\nCONTINUOUS\n0\nENDTAB\n0\nENDSEC\n0\nSECTION\n2\nENTITIES");
    blocks.push_back(PolylineHead("sheet"));
    blocks.push_back(Vertex("sheet", "0.000", "0.000"));
    blocks.push_back(Vertex("sheet", "0", F3(W)));
    blocks.push_back(Vertex("sheet", F3(L), F3(W)));
    blocks.push_back(Vertex("sheet", F3(L), "0.000"));
    blocks.push_back("0\nSEQEND\n8\nsheet");

    const int decimals = source.result.settings.decimals;
    for (const Placement& p : sheet->parts) {
        const double x = p.x, y = p.y, a = p.length, b = p.width;
        blocks.push_back(TextBlock("parts label", x + a / 2, y + b / 2, p.label));
        if (source.choices.dxfDimensions) {
            blocks.push_back(
                TextBlock("parts height", x + a / 2, y + 2, FormatDecimals(a, decimals)));
            blocks.push_back(
                TextBlock("parts width", x + 2, y + b / 2, FormatDecimals(b, decimals)));
        }
        AddRectangle(blocks, PolylineHead("parts"), p);
        if (const EnteredPart* row = source.result.EnteredPartAt(p.entryRow))
            AddBandedEdges(blocks, p, row->banding);
    }
    if (source.choices.dxfOffcuts)
        for (const Offcut& o : sheet->offcuts)
            AddRectangle(blocks, PolylineHead("parts") + "\n62\n11", o);

    AddReport(blocks, source, layoutIndex, MakeLayoutPage(source.result, layoutIndex), stamp);
    blocks.push_back("0\nENDSEC\n0\nEOF");
    if (!IsAscii(blocks)) DeclareUtf8(blocks.front());
    return blocks;
}

ExportOutcome ExportDxf(const ExportSource& source, int layoutIndex, const std::string& path) {
    const std::vector<std::string> blocks = BuildDxfBlocks(source, layoutIndex, ExportTimeStamp());
    if (blocks.empty()) return NoSuchLayout(layoutIndex);
    return WriteExportItems(path, blocks);
}

}  // namespace tarvex
