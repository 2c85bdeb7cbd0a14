#include "LayoutFixture.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/Cut.h"

TPartInfo Rect(const std::string& label, int id, double x, double y, double length, double width) {
    TPartInfo p;
    p.label = label;
    p.id = id;
    p.x = x;
    p.y = y;
    p.length = length;
    p.width = width;
    return p;
}

TSheetInfo LayoutSheet(const std::string& label, double length, double width, int count,
                       int layoutIndex, std::vector<TPartInfo> parts,
                       std::vector<TPartInfo> offcuts) {
    TSheetInfo s;
    s.label = label;
    s.length = length;
    s.width = width;
    s.count = count;
    s.layoutIndex = layoutIndex;
    s.used = 1;
    s.distinct = 1;
    s.parts = std::move(parts);
    s.offcuts = std::move(offcuts);
    return s;
}

AppliedResult ResultOf(std::vector<TSheetInfo> sheets) {
    AppliedResult r;
    r.sheets = std::move(sheets);
    return r;
}

CellTable PartTableOf(const std::vector<PartRow>& rows) {
    CellTable t(CellTable::kFirstDataRow + static_cast<int>(rows.size()), 5);
    const PartRow header{"Label", "Length", "Width", "Quant", "Rotatable"};
    const auto put = [&](int row, const PartRow& r) {
        t.SetCell(row, 0, r.label);
        t.SetCell(row, 1, r.length);
        t.SetCell(row, 2, r.width);
        t.SetCell(row, 3, r.quantity);
        t.SetCell(row, 4, r.rotatable);
    };
    put(1, header);
    for (size_t i = 0; i < rows.size(); ++i)
        put(CellTable::kFirstDataRow + static_cast<int>(i), rows[i]);
    return t;
}

AppliedResult RunEngine(const CellTable& partTable, double sheetLength, double sheetWidth,
                        int sheets) {
    std::vector<TPartInfo> parts;
    int id = 1;
    for (int row = CellTable::kFirstDataRow; row < partTable.RowCount(); ++row) {
        for (int k = 0; k < std::stoi(partTable.Cell(row, 3)); ++k) {
            TPartInfo p;
            p.label = partTable.Cell(row, 0);
            p.id = id++;
            p.SetSize(std::stod(partTable.Cell(row, 1)), std::stod(partTable.Cell(row, 2)));
            p.SetRotatable(partTable.Cell(row, 4) == "Yes");
            p.AddKerf();
            parts.push_back(p);
        }
    }
    AppliedResult result;
    WorkList list;
    list.Reset(parts);
    for (int i = 0; i < sheets; ++i) {
        TSheetInfo s;
        s.label = "Board";
        s.id = i;
        s.length = sheetLength;
        s.width = sheetWidth;
        s.TakeOffMargins();
        LayoutSheet(s, list);
        s.AddBackMargins();
        double placed = 0;
        for (TPartInfo& p : s.parts) {
            p.RemoveKerfAndShift();
            placed += p.Area();
        }
        s.used = s.parts.empty() ? 0 : 1;
        if (s.used)
            for (TPartInfo& o : s.offcuts) o.x += g_marginleft, o.y += g_marginbottom;
        s.utilisation = placed / s.Area();
        result.sheets.push_back(s);
    }
    for (int next = 0;; ++next) {
        TSheetInfo* best = nullptr;
        for (TSheetInfo& s : result.sheets)
            if (s.used && s.layoutIndex < 0 && (!best || s.utilisation > best->utilisation))
                best = &s;
        if (!best) break;
        best->layoutIndex = next;
    }
    return result;
}

std::string JoinCrLf(const std::vector<std::string>& items) {
    std::string all;
    for (const std::string& item : items) all += item + "\r\n";
    return all;
}

std::string TempFolder() {
    std::string dir = ::testing::TempDir() + "tarvex-layout-XXXXXX";
    return mkdtemp(dir.data());
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void ResetExportSettings() {
    ResetJobSettings();
    g_unit = "mm";
}

AppliedResult SmallResult() {
    return ResultOf(
        {LayoutSheet("Birch", 1000, 600, 2, 0,
                     {Rect("Door", 1, 0, 0, 400, 300), Rect("Side", 3, 404, 0, 400, 300),
                      Rect("Door", 2, 0, 304, 400, 296)},
                     {Rect("", 0, 808, 0, 192, 600), Rect("", 0, 404, 304, 400, 296)})});
}

CellTable SmallPartTable() {
    return PartTableOf({{"Door", "400", "300", "2", "Yes"}, {"Side", "400", "300", "1", "No"}});
}

void ExpectGolden(const std::string& name, const std::string& bytes) {
    const std::string path = std::string(TARVEX_SOURCE_DIR) + "/tests/app/golden/" + name;
    const char* update = std::getenv("TARVEX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << bytes;
        return;
    }
    EXPECT_EQ(bytes, ReadBytes(path)) << "golden file " << path;
}
