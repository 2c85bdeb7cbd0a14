#include "CabinetJobs.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include "BenchRun.h"

namespace tarvex {

namespace {

constexpr double kBoardThickness = 18;

int Draw(std::mt19937& rng, int lo, int hi) {
    return lo + static_cast<int>(rng() % static_cast<std::uint32_t>(hi - lo + 1));
}

// The cut list being built: pieces of equal label, size and grain add up.
class CutList {
  public:
    explicit CutList(int limit) : limit_(limit) {}

    void Add(const std::string& label, double length, double width, int quantity, bool rotatable) {
        quantity = std::min(quantity, limit_ - count_);
        if (quantity <= 0 || length <= 0 || width <= 0) return;
        pieces_[{label, length, width, rotatable}] += quantity;
        count_ += quantity;
    }
    bool Full() const { return count_ >= limit_; }

    std::vector<PartRow> Rows() const {
        std::vector<PartRow> rows;
        for (const auto& [key, quantity] : pieces_) {
            const auto& [label, length, width, rotatable] = key;
            rows.push_back(
                {label, length, width, quantity, rotatable, static_cast<int>(rows.size()) + 1});
        }
        return rows;
    }

  private:
    int limit_;
    int count_ = 0;
    std::map<std::tuple<std::string, double, double, bool>, int> pieces_;
};

constexpr int kCabinetWidths[] = {300, 400, 450, 500, 600, 800, 900, 1000};

// Doors of a front `height` x `width`: one up to 500 wide, two above; a 4 mm gap.
void AddDoors(CutList& list, double height, double width) {
    const int doors = width > 500 ? 2 : 1;
    list.Add("Door", height - 4, width / doors - 4, doors, false);
}

// Three or four drawers: fronts over the whole front, boxes inside the carcass.
void AddDrawers(CutList& list, std::mt19937& rng, double height, double width, double depth) {
    const int drawers = Draw(rng, 3, 4);
    const double front = std::floor(height / drawers) - 4;
    const double inner = width - 2 * kBoardThickness;
    const double boxDepth = std::floor((depth - 60) / 50) * 50;
    const double boxHeight = std::min(front - 40, 200.0);
    list.Add("Drawer front", inner + 2 * kBoardThickness - 4, front, drawers, false);
    list.Add("Drawer side", boxDepth, boxHeight, 2 * drawers, true);
    list.Add("Drawer back", inner - 26 - 2 * kBoardThickness, boxHeight, 2 * drawers, true);
}

// A carcass of two sides, a bottom, a top (or two rails) and shelves, and its front.
void AddCabinet(CutList& list, std::mt19937& rng, double height, double width, double depth,
                int shelves, bool rails, bool drawers) {
    const double inner = width - 2 * kBoardThickness;
    list.Add("Side", height, depth, 2, true);
    list.Add("Bottom", inner, depth, 1, true);
    if (rails)
        list.Add("Rail", inner, 100, 2, true);
    else
        list.Add("Top", inner, depth, 1, true);
    list.Add("Shelf", inner - 2, depth - 20, shelves, true);
    if (drawers)
        AddDrawers(list, rng, height, width, depth);
    else
        AddDoors(list, height, width);
}

void AddKitchenCabinet(CutList& list, std::mt19937& rng) {
    const double width = kCabinetWidths[Draw(rng, 0, 7)];
    switch (Draw(rng, 0, 9)) {
        case 0:  // tall larder: fixed shelf between two door heights
        case 1: {
            const double w = Draw(rng, 0, 1) ? 600 : 450;
            list.Add("Side", 2100, 560, 2, true);
            list.Add("Bottom", w - 36, 560, 2, true);
            list.Add("Shelf", w - 38, 540, Draw(rng, 3, 5), true);
            list.Add("Door", 1296, w - 4, 1, false);
            list.Add("Door", 796, w - 4, 1, false);
            break;
        }
        case 2:
        case 3:
        case 4:  // wall cabinet
            AddCabinet(list, rng, 720, width, 320, 2, false, false);
            break;
        default:  // base cabinet, a third with drawers
            AddCabinet(list, rng, 720, width, 560, 1, true, Draw(rng, 0, 2) == 0);
            break;
    }
}

void AddWardrobe(CutList& list, std::mt19937& rng) {
    const double width = 800 + 200 * Draw(rng, 0, 2);
    const double height = 2300, depth = 600, inner = width - 2 * kBoardThickness;
    list.Add("Side", height, depth, 2, true);
    list.Add("Top", inner, depth, 2, true);  // top and bottom
    list.Add("Shelf", inner - 2, depth - 20, Draw(rng, 2, 5), true);
    if (width >= 1000) {
        list.Add("Divider", height - 2 * kBoardThickness, depth - 20, 1, true);
        list.Add("Shelf", inner / 2 - 11, depth - 20, Draw(rng, 2, 4), true);
    }
    if (Draw(rng, 0, 1)) AddDrawers(list, rng, 600, width / 2, depth);
    AddDoors(list, height, width);
}

// Enough sheets of `board` to hold `area` of parts alone.
int SheetsFor(double area, const Board& board) {
    return static_cast<int>(std::ceil(1.6 * area / (board.length * board.width))) + 2;
}

double PartArea(const std::vector<PartRow>& parts) {
    double area = 0;
    for (const PartRow& p : parts) area += p.length * p.width * p.quantity;
    return area;
}

JobRows WorkshopRows() {
    JobRows rows;
    rows.settings = DefaultSettings();
    rows.settings.cut.bladeWidth = 4;
    rows.settings.cut.margins = {10, 10, 10, 10};
    return rows;
}

std::string BoardLabel(const Board& b) {
    return "Board " + std::to_string(static_cast<int>(b.length)) + "x" +
           std::to_string(static_cast<int>(b.width));
}

}  // namespace

JobRows CabinetJob(const CabinetJobShape& shape, std::uint32_t seed) {
    std::mt19937 rng(seed);
    CutList list(shape.parts);
    while (!list.Full()) {
        if (shape.wardrobes)
            AddWardrobe(list, rng);
        else
            AddKitchenCabinet(list, rng);
    }
    JobRows rows = WorkshopRows();
    rows.settings.cut.guillotine = shape.guillotine;
    rows.settings.cut.costObjective = shape.costs;
    rows.parts = list.Rows();
    const double area = PartArea(rows.parts);
    int row = 0;
    for (int k = 1; k <= shape.remnants; ++k)
        rows.sheets.push_back({"Remnant " + std::to_string(k), double(Draw(rng, 8, 20) * 100),
                               double(Draw(rng, 5, 12) * 100), 1, 0, true, ++row});
    for (const Board& b : shape.boards)
        rows.sheets.push_back({BoardLabel(b), b.length, b.width, SheetsFor(area, b),
                               shape.costs ? b.cost : 0, false, ++row});
    return rows;
}

JobRows BulkJob(int parts, int types, std::uint32_t seed) {
    std::mt19937 rng(seed);
    JobRows rows = WorkshopRows();
    rows.settings.cut.guillotine = true;
    rows.settings.cut.costObjective = true;
    for (int t = 0; t < types; ++t) {
        const int quantity = parts / types + (t < parts % types ? 1 : 0);
        rows.parts.push_back({"P" + std::to_string(t + 1), double(Draw(rng, 100, 800)),
                              double(Draw(rng, 60, 450)), quantity, Draw(rng, 0, 4) != 0, t + 1});
    }
    const double area = PartArea(rows.parts);
    const Board boards[] = {kBoard2440, kBoard2800, kBoard3050};
    // Each board could hold 0.8 of the job: together they hold it with room to
    // spare, in fewer sheet records than the job input takes.
    int row = 0;
    for (const Board& b : boards) {
        const int sheets = static_cast<int>(std::ceil(0.8 * area / (b.length * b.width)));
        rows.sheets.push_back({BoardLabel(b), b.length, b.width, sheets, b.cost, false, ++row});
    }
    return rows;
}

}  // namespace tarvex
