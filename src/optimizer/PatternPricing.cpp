#include "optimizer/PatternPricing.h"

#include <algorithm>
#include <cmath>

#include "engine/Rules.h"

namespace tarvex {

namespace {

// Beyond this many cell steps a strip's stacks are chosen as single pieces: the
// third stage would cost more time than it gains.
constexpr double kStackWork = 4e6;

// Pieces take their nearest whole number of cells; where that is less than their
// size, the layout checks the real sizes and leaves out what does not fit.
int CellsNear(double size, double grid) {
    return std::max(1, static_cast<int>(std::nearbyint(size / grid)));
}

// Real sizes are compared as the engine compares them: a room that a part fills
// exactly may come out a rounding error smaller than the part, when its sheet's
// margins and blade add up in another order than the part's size.
bool FitsIn(double size, double room) {
    return size <= room + kCutTolerance;
}

int CellsDown(double size, double grid) {
    return static_cast<int>(std::floor(size / grid + 1e-6));
}

// Adds up to `count` copies of an item of weight `w` and value `value` to a
// knapsack table over capacities 0..size-1 (each entry the best value within
// that capacity).
void AddItem(std::vector<double>& best, int w, double value, int count) {
    const int capacity = static_cast<int>(best.size()) - 1;
    if (w <= 0 || count <= 0) return;
    if (static_cast<long>(count) * w >= capacity) {
        for (int c = w; c <= capacity; ++c) best[c] = std::max(best[c], best[c - w] + value);
        return;
    }
    for (int k = 1; count > 0; k *= 2) {
        const int m = std::min(k, count);
        const int mw = m * w;
        const double mv = m * value;
        for (int c = capacity; c >= mw; --c) best[c] = std::max(best[c], best[c - mw] + mv);
        count -= m;
    }
}

struct Choice {
    int item, copies;
};

// The best choice of items (weights, values, bounds) within `capacity`, as
// item indices with their copies.
std::vector<Choice> Knapsack(const std::vector<int>& weights, const std::vector<double>& values,
                             const std::vector<int>& bounds, int capacity) {
    struct Split {
        int item, copies, w;
        double value;
    };
    std::vector<Split> splits;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (weights[i] <= 0 || weights[i] > capacity || !(values[i] > 0)) continue;
        int count = std::min(bounds[i], capacity / weights[i]);
        for (int k = 1; count > 0; k *= 2) {
            const int m = std::min(k, count);
            splits.push_back(Split{static_cast<int>(i), m, m * weights[i], m * values[i]});
            count -= m;
        }
    }
    std::vector<double> best(capacity + 1, 0.0);
    std::vector<std::vector<char>> took(splits.size(), std::vector<char>(capacity + 1, 0));
    for (std::size_t s = 0; s < splits.size(); ++s)
        for (int c = capacity; c >= splits[s].w; --c)
            if (best[c - splits[s].w] + splits[s].value > best[c] + 1e-12) {
                best[c] = best[c - splits[s].w] + splits[s].value;
                took[s][c] = 1;
            }
    std::vector<Choice> chosen;
    int c = capacity;
    for (std::size_t s = splits.size(); s-- > 0;)
        if (took[s][c]) {
            chosen.push_back(Choice{splits[s].item, splits[s].copies});
            c -= splits[s].w;
        }
    return chosen;
}

}  // namespace

double PatternGrid(const PatternJob& pj, int maxCells) {
    static constexpr double kGrids[] = {100,  50,  25,  20,   10,   5,    4,     2,     1,    0.5,
                                        0.25, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001};
    double room = 0;
    for (const StockKind& k : pj.kinds) room = std::max({room, k.length, k.width});
    const auto whole = [](double size, double grid) {
        const double cells = size / grid;
        return std::fabs(cells - std::nearbyint(cells)) < 1e-6 * std::max(1.0, cells);
    };
    for (double grid : kGrids) {
        const bool exact = std::all_of(pj.types.begin(), pj.types.end(), [&](const PieceType& t) {
            return whole(t.length, grid) && whole(t.width, grid);
        });
        if (exact && room / grid <= maxCells) return grid;
    }
    for (auto g = std::rbegin(kGrids); g != std::rend(kGrids); ++g)
        if (room / *g <= maxCells) return *g;
    return room / maxCells;
}

PatternPricer::PatternPricer(const PatternJob& pj, std::int32_t kind, double grid, bool alongLength,
                             bool alongWidth, bool stacks)
    : pj_(pj), kind_(kind), stacks_(stacks) {
    const StockKind& k = pj.kinds[kind];
    for (const bool along : {true, false}) {
        if (along ? !alongLength : !alongWidth) continue;
        Frame f;
        f.alongLength = along;
        f.roomU = along ? k.length : k.width;
        f.roomV = along ? k.width : k.length;
        f.cellsU = CellsDown(f.roomU, grid);
        f.cellsV = CellsDown(f.roomV, grid);
        for (std::int32_t t = 0; t < static_cast<std::int32_t>(pj.types.size()); ++t) {
            const PieceType& type = pj.types[t];
            for (const bool turned : {false, true}) {
                if (turned && (!type.rotatable || type.length == type.width)) continue;
                Item item;
                item.type = t;
                item.turned = turned;
                item.realU = along ? PieceLength(type, turned) : PieceWidth(type, turned);
                item.realV = along ? PieceWidth(type, turned) : PieceLength(type, turned);
                if (!FitsIn(item.realU, f.roomU) || !FitsIn(item.realV, f.roomV)) continue;
                // A piece that fits the room may round to a cell more than the
                // room has (half a cell of 423.5 against 423 whole ones).
                item.u = std::min(CellsNear(item.realU, grid), f.cellsU);
                item.v = std::min(CellsNear(item.realV, grid), f.cellsV);
                f.items.push_back(item);
            }
        }
        std::stable_sort(f.items.begin(), f.items.end(), [](const Item& a, const Item& b) {
            return a.v != b.v ? a.v < b.v : a.u < b.u;
        });
        frames_.push_back(std::move(f));
    }
}

double PatternPricer::Best(const std::vector<double>& values,
                           const std::vector<std::int32_t>& bounds, SheetPattern& out) const {
    // The searches' values may count pieces beyond their bounds: the patterns
    // laid out decide.
    double best = 0;
    out = SheetPattern{};
    out.kind = kind_;
    SheetPattern trial;
    for (const Frame& f : frames_) {
        if (!(Price(f, values, bounds, nullptr) > best + 1e-12)) continue;
        trial = SheetPattern{};
        trial.kind = kind_;
        const double v = Price(f, values, bounds, &trial);
        if (v > best + 1e-12) {
            best = v;
            std::swap(out, trial);
        }
    }
    if (out.pieces.empty()) {
        const StockKind& k = pj_.kinds[kind_];
        out.free.assign(1, PatternRoom{0, 0, k.length, k.width});
    }
    return best;
}

double PatternPricer::Price(const Frame& f, const std::vector<double>& values,
                            const std::vector<std::int32_t>& bounds, SheetPattern* out) const {
    std::vector<const Item*> items;
    for (const Item& i : f.items)
        if (values[i.type] > 0 && bounds[i.type] > 0) items.push_back(&i);
    if (items.empty()) return 0;

    // The distinct heights of strips and lengths of stacks, ascending.
    std::vector<int> heights, lengths;
    for (const Item* i : items) {
        heights.push_back(i->v);
        lengths.push_back(i->u);
    }
    for (auto* sizes : {&heights, &lengths}) {
        std::sort(sizes->begin(), sizes->end());
        sizes->erase(std::unique(sizes->begin(), sizes->end()), sizes->end());
    }
    bool stacks = stacks_;
    if (stacks) {
        // A strip of stacks is as high as some stack of pieces.
        std::vector<char> reach(f.cellsV + 1, 0);
        reach[0] = 1;
        for (int c = 1; c <= f.cellsV; ++c)
            for (int h : heights)
                if (h <= c && reach[c - h]) {
                    reach[c] = 1;
                    break;
                }
        std::vector<int> sums;
        for (int c = 1; c <= f.cellsV; ++c)
            if (reach[c]) sums.push_back(c);
        stacks = static_cast<double>(sums.size()) * lengths.size() * f.cellsU <= kStackWork;
        if (stacks) heights = std::move(sums);
    }

    // The best value within `room` cells across with at most `bnd` pieces per
    // type, and the height of its most valuable strip (0 if none).
    std::vector<double> strip(heights.size(), 0.0);
    std::vector<std::vector<double>> stack;  // of three stages: per length, per height
    const auto search = [&](const std::vector<std::int32_t>& bnd, int room) {
        std::fill(strip.begin(), strip.end(), 0.0);
        stack.clear();
        if (!stacks) {
            std::vector<double> along(f.cellsU + 1, 0.0);
            std::size_t next = 0;
            for (std::size_t h = 0; h < heights.size(); ++h) {
                for (; next < items.size() && items[next]->v == heights[h]; ++next)
                    AddItem(along, items[next]->u, values[items[next]->type],
                            bnd[items[next]->type]);
                strip[h] = along[f.cellsU];
            }
        } else {
            std::vector<const Item*> byLength = items;
            std::stable_sort(byLength.begin(), byLength.end(),
                             [](const Item* a, const Item* b) { return a->u < b->u; });
            std::vector<double> stackAcross(f.cellsV + 1, 0.0);
            std::size_t next = 0;
            for (int l : lengths) {
                for (; next < byLength.size() && byLength[next]->u == l; ++next)
                    AddItem(stackAcross, byLength[next]->v, values[byLength[next]->type],
                            bnd[byLength[next]->type]);
                stack.push_back(stackAcross);
            }
            std::vector<double> along(f.cellsU + 1);
            for (std::size_t h = 0; h < heights.size(); ++h) {
                std::fill(along.begin(), along.end(), 0.0);
                for (int c = 1; c <= f.cellsU; ++c) {
                    double b = along[c - 1];
                    for (std::size_t l = 0; l < lengths.size() && lengths[l] <= c; ++l)
                        b = std::max(b, along[c - lengths[l]] + stack[l][heights[h]]);
                    along[c] = b;
                }
                strip[h] = along[f.cellsU];
            }
        }

        // Strips stacked across the sheet.
        std::vector<double> across(room + 1, 0.0);
        std::vector<int> last(room + 1, -1);
        for (int c = 1; c <= room; ++c) {
            across[c] = across[c - 1];
            for (std::size_t h = 0; h < heights.size() && heights[h] <= c; ++h)
                if (across[c - heights[h]] + strip[h] > across[c] + 1e-12) {
                    across[c] = across[c - heights[h]] + strip[h];
                    last[c] = static_cast<int>(h);
                }
        }
        int first = 0;
        double firstValue = 0;
        for (int c = room; c > 0;) {
            if (last[c] < 0) {
                --c;
                continue;
            }
            if (strip[last[c]] > firstValue) {
                firstValue = strip[last[c]];
                first = heights[last[c]];
            }
            c -= heights[last[c]];
        }
        return std::pair{across[room], first};
    };
    if (!out) return search(bounds, f.cellsV).first;

    std::vector<std::int32_t> left = bounds;
    const auto placeRoom = [&](double u, double v, double lu, double lv) {
        if (lu <= 0 || lv <= 0) return;
        out->free.push_back(f.alongLength ? PatternRoom{u, v, lu, lv} : PatternRoom{v, u, lv, lu});
    };
    const auto placePiece = [&](const Item& i, double u, double v) {
        out->pieces.push_back(
            PatternPiece{i.type, i.turned, f.alongLength ? u : v, f.alongLength ? v : u});
    };
    // Fills a stack of `cells` across with pieces of at most `lengthCells` along.
    const auto fillStack = [&](int lengthCells, int cells) {
        std::vector<int> w, bnd;
        std::vector<double> val;
        std::vector<const Item*> pool;
        for (const Item* i : items)
            if (i->u <= lengthCells && i->v <= cells) {
                pool.push_back(i);
                w.push_back(i->v);
                val.push_back(values[i->type]);
                bnd.push_back(left[i->type]);
            }
        std::vector<const Item*> column;
        for (const Choice& c : Knapsack(w, val, bnd, cells))
            for (int k = 0; k < c.copies && left[pool[c.item]->type] > 0; ++k) {
                column.push_back(pool[c.item]);
                --left[pool[c.item]->type];
            }
        return column;
    };

    // A strip at a time, the most valuable first, the rest searched again with
    // the pieces still allowed.
    double v0 = 0, value = 0;
    for (int room = f.cellsV; room > 0;) {
        const int h = search(left, room).second;
        if (h <= 0) break;
        room -= h;
        // The strip's stacks, each a column of pieces.
        std::vector<std::vector<const Item*>> columns;
        if (!stacks) {
            std::vector<int> w, bnd;
            std::vector<double> val;
            std::vector<const Item*> pool;
            for (const Item* i : items)
                if (i->v <= h) {
                    pool.push_back(i);
                    w.push_back(i->u);
                    val.push_back(values[i->type]);
                    bnd.push_back(left[i->type]);
                }
            for (const Choice& c : Knapsack(w, val, bnd, f.cellsU))
                for (int k = 0; k < c.copies && left[pool[c.item]->type] > 0; ++k) {
                    columns.push_back({pool[c.item]});
                    --left[pool[c.item]->type];
                }
        } else {
            // A stack at a time, valued with the pieces still allowed: the values
            // of the search above let every stack take the same pieces.
            std::vector<const Item*> byLength = items;
            std::stable_sort(byLength.begin(), byLength.end(),
                             [](const Item* a, const Item* b) { return a->u < b->u; });
            for (int along = f.cellsU; along > 0;) {
                std::vector<int> w, bnd;
                std::vector<double> val;
                std::vector<double> column(h + 1, 0.0);
                std::size_t next = 0;
                for (int l : lengths) {
                    if (l > along) break;
                    for (; next < byLength.size() && byLength[next]->u == l; ++next)
                        AddItem(column, byLength[next]->v, values[byLength[next]->type],
                                left[byLength[next]->type]);
                    w.push_back(l);
                    val.push_back(column[h]);
                    bnd.push_back(along / l);
                }
                int longest = 0;
                for (const Choice& c : Knapsack(w, val, bnd, along))
                    longest = std::max(longest, w[c.item]);
                if (longest == 0) break;
                auto pieces = fillStack(longest, h);
                if (pieces.empty()) break;
                columns.push_back(std::move(pieces));
                along -= longest;
            }
        }
        // Sizes rounded to the grid may add up to more than the room.
        const auto lengthOf = [](const std::vector<const Item*>& column) {
            double l = 0;
            for (const Item* i : column) l = std::max(l, i->realU);
            return l;
        };
        double stripU = 0;
        for (const auto& column : columns) stripU += lengthOf(column);
        while (!columns.empty() && !FitsIn(stripU, f.roomU)) {
            stripU -= lengthOf(columns.back());
            for (const Item* i : columns.back()) ++left[i->type];
            columns.pop_back();
        }
        if (columns.empty()) continue;
        double stripV = 0;
        for (const auto& column : columns) {
            double sum = 0;
            for (const Item* i : column) sum += i->realV;
            stripV = std::max(stripV, sum);
        }
        if (!FitsIn(v0 + stripV, f.roomV)) {
            for (const auto& column : columns)
                for (const Item* i : column) ++left[i->type];
            continue;
        }
        double u0 = 0;
        for (const auto& column : columns) {
            double lengthU = 0;
            for (const Item* i : column) lengthU = std::max(lengthU, i->realU);
            double v = v0;
            for (const Item* i : column) {
                placePiece(*i, u0, v);
                value += values[i->type];
                placeRoom(u0 + i->realU, v, lengthU - i->realU, i->realV);
                v += i->realV;
            }
            placeRoom(u0, v, lengthU, v0 + stripV - v);
            u0 += lengthU;
        }
        placeRoom(u0, v0, f.roomU - u0, stripV);
        v0 += stripV;
    }
    placeRoom(0, v0, f.roomU, f.roomV - v0);
    return value;
}

}  // namespace tarvex
