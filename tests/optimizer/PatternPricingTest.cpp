// The pattern pricer against exhaustive enumeration on tiny sheets: the value of
// the best two- and three-stage pattern, and every pattern it gives is a layout
// (pieces inside the room, apart from each other and from the free rooms, no more
// of a type than allowed).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <vector>

#include "model/Job.h"
#include "optimizer/PatternPricing.h"

using namespace tarvex;

namespace {

struct Piece {
    int u, v;
    double value;
};

// The best value of copies of `pieces` whose sizes along add up to at most
// `capacity`, tried in every combination.
double BestRow(const std::vector<Piece>& pieces, int capacity) {
    std::function<double(std::size_t, int)> from = [&](std::size_t i, int left) -> double {
        if (i == pieces.size()) return 0;
        double best = from(i + 1, left);
        for (int n = 1; n * pieces[i].u <= left; ++n)
            best = std::max(best, n * pieces[i].value + from(i + 1, left - n * pieces[i].u));
        return best;
    };
    return from(0, capacity);
}

// Every orientation of every type as pieces along (u) and across (v) strips.
std::vector<Piece> Oriented(const PatternJob& pj, const std::vector<double>& values,
                            bool alongLength) {
    std::vector<Piece> pieces;
    for (std::size_t t = 0; t < pj.types.size(); ++t) {
        const PieceType& type = pj.types[t];
        for (const bool turned : {false, true}) {
            if (turned && !type.rotatable) continue;
            const int l = static_cast<int>(PieceLength(type, turned));
            const int w = static_cast<int>(PieceWidth(type, turned));
            pieces.push_back(alongLength ? Piece{l, w, values[t]} : Piece{w, l, values[t]});
        }
    }
    return pieces;
}

// Strips of any heights stacked across the sheet, each strip holding single pieces
// (two stages) or stacks of pieces (three stages), all found by enumeration.
double BruteForce(const PatternJob& pj, const std::vector<double>& values, bool alongLength,
                  bool stacks) {
    const StockKind& k = pj.kinds.front();
    const int roomU = static_cast<int>(alongLength ? k.length : k.width);
    const int roomV = static_cast<int>(alongLength ? k.width : k.length);
    const std::vector<Piece> pieces = Oriented(pj, values, alongLength);
    std::vector<Piece> strips;  // u: the strip's height, as a row across the sheet
    for (int h = 1; h <= roomV; ++h) {
        std::vector<Piece> inStrip;
        if (!stacks) {
            for (const Piece& p : pieces)
                if (p.v <= h) inStrip.push_back(p);
        } else {
            for (int l = 1; l <= roomU; ++l) {
                std::vector<Piece> column;
                for (const Piece& p : pieces)
                    if (p.u <= l) column.push_back(Piece{p.v, p.u, p.value});
                inStrip.push_back(Piece{l, h, BestRow(column, h)});
            }
        }
        strips.push_back(Piece{h, 0, BestRow(inStrip, roomU)});
    }
    return BestRow(strips, roomV);
}

PatternJob TinyJob(std::mt19937& rng, bool turnable) {
    // No blade: the rooms are the sizes as drawn.
    JobBuilder job(CutSettings{});
    Sheet sheet;
    sheet.length = 6 + rng() % 8;
    sheet.width = 5 + rng() % 8;
    sheet.unitCost = 1;
    job.AddSheet(sheet);
    const int types = 1 + static_cast<int>(rng() % 3);
    for (int t = 0; t < types; ++t) {
        Part p;
        p.length = 2 + rng() % 5;
        p.width = 2 + rng() % 4;
        p.rotatable = turnable && rng() % 2 == 0;
        const int copies = 1 + static_cast<int>(rng() % 2);
        for (int c = 0; c < copies; ++c) job.AddPart(p);
    }
    return PatternJob::Of(std::move(job).Build(), CutSettings{});
}

bool Apart(const PatternRoom& a, const PatternRoom& b) {
    return a.x + a.length <= b.x + 1e-9 || b.x + b.length <= a.x + 1e-9 ||
           a.y + a.width <= b.y + 1e-9 || b.y + b.width <= a.y + 1e-9;
}

// The pattern is a layout of at most `bounds` pieces per type, worth `value`.
void ExpectLayout(const PatternJob& pj, const SheetPattern& pattern,
                  const std::vector<double>& values, const std::vector<std::int32_t>& bounds,
                  double value) {
    const StockKind& k = pj.kinds[pattern.kind];
    std::vector<PatternRoom> rooms;
    double sum = 0;
    for (const PatternPiece& p : pattern.pieces) {
        const PieceType& t = pj.types[p.type];
        EXPECT_TRUE(!p.turned || t.rotatable);
        rooms.push_back(PatternRoom{p.x, p.y, PieceLength(t, p.turned), PieceWidth(t, p.turned)});
        sum += values[p.type];
    }
    EXPECT_DOUBLE_EQ(sum, value);
    const std::vector<std::int32_t> counts = pattern.Counts(pj.types.size());
    for (std::size_t t = 0; t < counts.size(); ++t) EXPECT_LE(counts[t], bounds[t]);
    const std::size_t pieces = rooms.size();
    rooms.insert(rooms.end(), pattern.free.begin(), pattern.free.end());
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const PatternRoom& r = rooms[i];
        EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.length <= k.length + 1e-9 &&
                    r.y + r.width <= k.width + 1e-9);
        for (std::size_t j = i + 1; j < rooms.size(); ++j)
            if (i < pieces) {
                EXPECT_TRUE(Apart(r, rooms[j])) << "rooms " << i << " and " << j;
            }
    }
}

TEST(PatternPricer, FindsTheBestTwoAndThreeStagePatternsOfTinySheets) {
    std::mt19937 rng(2024);
    int withThirdStageGain = 0;
    for (int job = 0; job < 300; ++job) {
        const PatternJob pj = TinyJob(rng, job % 3 != 0);
        std::vector<double> values;
        for (std::size_t t = 0; t < pj.types.size(); ++t) values.push_back(1 + rng() % 20);
        const std::vector<std::int32_t> plenty(pj.types.size(), 1000);
        const double grid = PatternGrid(pj, 4000);
        const int way = job % 3;  // along the length, along the width, either
        const bool alongLength = way != 1, alongWidth = way != 0;
        double two = 0;
        for (const bool stacks : {false, true}) {
            const PatternPricer pricer(pj, 0, grid, alongLength, alongWidth, stacks);
            SheetPattern pattern;
            const double value = pricer.Best(values, plenty, pattern);
            double expected = 0;
            if (alongLength) expected = BruteForce(pj, values, true, stacks);
            if (alongWidth) expected = std::max(expected, BruteForce(pj, values, false, stacks));
            EXPECT_DOUBLE_EQ(value, expected) << "job " << job << (stacks ? " three" : " two");
            ExpectLayout(pj, pattern, values, plenty, value);
            if (!stacks) two = value;
            withThirdStageGain += stacks && value > two;
        }
    }
    EXPECT_GT(withThirdStageGain, 10);
}

// With few pieces allowed the pattern keeps to the bounds, and lays out pieces
// whenever one of them fits.
TEST(PatternPricer, KeepsToTheBoundsOfEachType) {
    std::mt19937 rng(77);
    int bound = 0;
    for (int job = 0; job < 300; ++job) {
        const PatternJob pj = TinyJob(rng, true);
        std::vector<double> values;
        std::vector<std::int32_t> bounds;
        for (std::size_t t = 0; t < pj.types.size(); ++t) {
            values.push_back(1 + rng() % 20);
            bounds.push_back(static_cast<std::int32_t>(rng() % 3));
        }
        const PatternPricer pricer(pj, 0, 1, true, true, job % 2 == 0);
        SheetPattern pattern;
        const double value = pricer.Best(values, bounds, pattern);
        ExpectLayout(pj, pattern, values, bounds, value);
        const StockKind& k = pj.kinds.front();
        bool fits = false;
        for (std::size_t t = 0; t < pj.types.size(); ++t) {
            const PieceType& type = pj.types[t];
            fits |= bounds[t] > 0 &&
                    ((type.length <= k.length && type.width <= k.width) ||
                     (type.rotatable && type.width <= k.length && type.length <= k.width));
        }
        EXPECT_EQ(fits, !pattern.pieces.empty()) << "job " << job;
        const std::vector<std::int32_t> counts = pattern.Counts(pj.types.size());
        for (std::size_t t = 0; t < counts.size(); ++t)
            bound += counts[t] == bounds[t] && bounds[t] > 0;
    }
    EXPECT_GT(bound, 100);
}

}  // namespace
