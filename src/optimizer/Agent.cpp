// Candidate plans: creation, decoding of the genes into the candidate's own
// records, evaluation with the layout engine, and the ranking.
#include <algorithm>
#include <cmath>
#include <utility>

#include "optimizer/Ga.h"
#include "optimizer/IdIndex.h"
#include "optimizer/Random.h"

namespace {

constexpr double kTolerance = 0.00001;

// new entry k = old entry (k + d) modulo n
void RotateLeft(std::vector<std::int32_t>& genes, int d) {
    if (genes.empty()) return;
    std::rotate(genes.begin(), genes.begin() + d % static_cast<int>(genes.size()), genes.end());
}

}  // namespace

void CreateRandom(Agent& agent, const std::vector<Part>& jobParts,
                  const std::vector<Sheet>& jobSheets, RandomSource& random) {
    // The genes follow the lists themselves, so a count that disagrees with its
    // list cannot index past the end.
    agent.sheets.clear();
    agent.sheets.reserve(jobSheets.size());
    agent.sheetOrder.clear();
    for (const Sheet& s : jobSheets) {
        agent.sheets.push_back(CopySheet(s));
        agent.sheetOrder.push_back(s.id);
    }
    agent.parts = jobParts;
    agent.partOrder.clear();
    agent.turn.clear();
    agent.turnable.clear();
    for (const Part& p : jobParts) {
        agent.partOrder.push_back(p.id);
        agent.turn.push_back(p.rotated ? 1 : 0);
        agent.turnable.push_back(p.rotatable ? 1 : 0);
    }
    const int d = random.Index(static_cast<int>(agent.sheetOrder.size()));
    RotateLeft(agent.sheetOrder, d);
    const int e = random.Index(static_cast<int>(agent.partOrder.size()));
    RotateLeft(agent.partOrder, e);
    RotateLeft(agent.turn, e);
    RotateLeft(agent.turnable, e);
    for (auto& t : agent.turn) t = random.Unit() > 0.5 ? 1 : 0;
}

void Decode(Agent& agent) {
    // Per thread, so that decoding allocates nothing once the thread has seen a job.
    thread_local IdIndex index;
    thread_local std::vector<Sheet> ordered;
    thread_local std::vector<int> from;
    thread_local std::vector<char> taken;

    // Sheets are moved only when the order names every sheet exactly once, so a
    // damaged order can never leave a sheet behind as an empty shell.
    auto& sheets = agent.sheets;
    index.Build(static_cast<int>(sheets.size()), [&](int i) { return sheets[i].id; });
    from.clear();
    taken.assign(sheets.size(), 0);
    for (std::int32_t id : agent.sheetOrder) {
        const int at = index.Find(id);
        if (at < 0 || taken[at]) break;
        taken[at] = 1;
        from.push_back(at);
    }
    if (from.size() == sheets.size()) {
        ordered.clear();
        for (int at : from) ordered.push_back(std::move(sheets[at]));
        sheets.swap(ordered);
    }

    // Gene position of every part record, by the record's position in the job order.
    auto& parts = agent.parts;
    index.Build(static_cast<int>(parts.size()), [&](int i) { return parts[i].id; });
    thread_local std::vector<int> geneOf;
    geneOf.assign(parts.size(), -1);
    for (int i = 0; i < static_cast<int>(agent.partOrder.size()); ++i) {
        const int at = index.Find(agent.partOrder[i]);
        if (at >= 0) geneOf[at] = i;
    }
    for (std::size_t j = 0; j < parts.size(); ++j) {
        Part& p = parts[j];
        const int i = geneOf[j];
        p.rotated = false;
        if (i < 0) continue;
        if (agent.turnable[i] == 0) agent.turn[i] = 0;
        if (agent.turn[i] == 1) p.Rotate();
    }
}

void UndoTurns(Agent& agent) {
    for (Part& p : agent.parts)
        if (p.rotated) p.Rotate();
}

void Evaluate(Agent& agent, WorkList& list, const Job& job, const CutSettings& settings) {
    list.Reset(agent.parts, settings);
    double sheetArea = 0, placedArea = 0, placedCost = 0, sheetCost = 0;
    agent.bestSheetUse = 0;
    agent.usedSheets = 0;
    const Sheet* last = nullptr;
    for (Sheet& s : agent.sheets) {
        const double r = LayoutSheet(s, list);
        if (r <= kTolerance) continue;
        agent.usedSheets += 1;
        placedArea += r;
        placedCost += s.unitCost * r;
        const double a = s.Area();
        sheetArea += a;
        sheetCost += s.unitCost * a;
        s.utilisation = r / a;
        if (s.utilisation > agent.bestSheetUse) agent.bestSheetUse = s.utilisation;
        last = &s;
    }

    if (sheetArea < kTolerance) {
        agent.fitness = 0;
    } else if (placedArea >= job.partArea) {
        if (settings.costObjective) {
            agent.fitness = sheetCost < kTolerance ? 0 : placedCost / sheetCost;
        } else {
            if (agent.usedSheets > 1) {
                // The last sheet counts only as far as its placements reach, measured
                // in single precision.
                sheetArea -= last->Area();
                float mx = 0, my = 0;
                for (const Footprint& p : last->parts) {
                    mx = std::max(mx, static_cast<float>(p.x + p.length));
                    my = std::max(my, static_cast<float>(p.y + p.width));
                }
                sheetArea += static_cast<double>(mx) * my;
            }
            agent.fitness = placedArea / sheetArea;
        }
    } else if (settings.costObjective) {
        // Stock without cost would make this 0 / 0: such a plan scores nothing.
        agent.fitness = job.sheetCost < kTolerance ? 0 : placedCost / job.sheetCost;
    } else {
        agent.fitness = placedArea / job.sheetArea;
    }
}

void Exchange(Agent& a, Agent& b) {
    std::swap(a, b);
}

bool AllPartsPlaced(const Agent& agent, std::int32_t partCount) {
    std::int64_t count = 0;
    for (const Sheet& s : agent.sheets) count += static_cast<std::int64_t>(s.parts.size());
    return count == partCount;
}

bool Better(const Agent& p, const Agent& q) {
    if (p.fitness > q.fitness + kTolerance) return true;
    if (std::fabs(p.fitness - q.fitness) >= kTolerance) return false;
    return p.usedSheets < q.usedSheets ||
           (p.usedSheets == q.usedSheets && p.bestSheetUse > q.bestSheetUse);
}
