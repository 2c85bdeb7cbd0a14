// Candidate plans: creation, decoding of the genes, evaluation with the layout
// engine on the job's shared records, the candidate's layouts as full sheet
// records, and the ranking.
#include <algorithm>
#include <cmath>
#include <utility>

#include "model/Tolerances.h"
#include "optimizer/Ga.h"
#include "optimizer/IdIndex.h"
#include "optimizer/Random.h"

namespace tarvex {

namespace {

// new entry k = old entry (k + d) modulo n
void RotateLeft(std::vector<std::int32_t>& genes, int d) {
    if (genes.empty()) return;
    std::rotate(genes.begin(), genes.begin() + d % static_cast<int>(genes.size()), genes.end());
}

// The extent along x of a placement: its record's, turned as it lies.
double PlacedLength(const PartSpot& spot, const std::vector<Part>& parts) {
    const Part& p = parts[spot.part];
    return spot.rotated ? p.width : p.length;
}

double PlacedWidth(const PartSpot& spot, const std::vector<Part>& parts) {
    const Part& p = parts[spot.part];
    return spot.rotated ? p.length : p.width;
}

}  // namespace

std::span<const PartSpot> Agent::PartsOn(const SheetLayout& sheet) const {
    return std::span<const PartSpot>(spots).subspan(sheet.firstSpot, sheet.spotCount);
}

std::span<const Offcut> Agent::OffcutsOn(const SheetLayout& sheet) const {
    return std::span<const Offcut>(offcuts).subspan(sheet.firstOffcut, sheet.offcutCount);
}

void CreateRandom(Agent& agent, const std::vector<Part>& jobParts,
                  const std::vector<Sheet>& jobSheets, RandomSource& random) {
    // The genes follow the lists themselves, so a count that disagrees with its
    // list cannot index past the end.
    agent.sheets.clear();
    agent.sheets.reserve(jobSheets.size());
    agent.sheetOrder.clear();
    for (const Sheet& s : jobSheets) {
        agent.sheets.push_back(SheetLayout{s.id});
        agent.sheetOrder.push_back(s.id);
    }
    agent.spots.clear();
    agent.offcuts.clear();
    agent.decoded = false;
    agent.partOrder.clear();
    agent.turn.clear();
    agent.turnable.clear();
    for (const Part& p : jobParts) {
        agent.partOrder.push_back(p.id);
        agent.turn.push_back(0);
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
    thread_local std::vector<SheetLayout> ordered;
    thread_local std::vector<int> from;
    thread_local std::vector<char> taken;

    // Sheets are moved only when the order names every sheet exactly once, so a
    // damaged order can never leave a sheet behind.
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
        for (int at : from) ordered.push_back(sheets[at]);
        sheets.swap(ordered);
    }

    const std::size_t genes = std::min(agent.turn.size(), agent.turnable.size());
    for (std::size_t i = 0; i < genes; ++i)
        if (agent.turnable[i] == 0) agent.turn[i] = 0;
    agent.decoded = true;
}

void UndoTurns(Agent& agent) {
    agent.decoded = false;
}

void PartTurns(const Agent& agent, const std::vector<Part>& jobParts, std::vector<char>& turned) {
    turned.assign(jobParts.size(), 0);
    if (!agent.decoded) return;
    thread_local IdIndex index;
    index.Build(static_cast<int>(jobParts.size()), [&](int i) { return jobParts[i].id; });
    // Of an id the order names twice, the later gene decides.
    const std::size_t genes = std::min(agent.partOrder.size(), agent.turn.size());
    for (std::size_t i = 0; i < genes; ++i) {
        const int at = index.Find(agent.partOrder[i]);
        if (at >= 0) turned[at] = agent.turn[i] == 1 ? 1 : 0;
    }
}

void Evaluate(Agent& agent, WorkList& list, const Job& job, const CutSettings& settings) {
    thread_local std::vector<char> turned;
    thread_local IdIndex sheetAt;
    PartTurns(agent, job.Parts(), turned);
    list.Reset(job.Parts(), turned, settings);
    sheetAt.Build(static_cast<int>(job.Sheets().size()), [&](int i) { return job.Sheets()[i].id; });
    agent.spots.clear();
    agent.offcuts.clear();
    double sheetArea = 0, placedArea = 0, placedCost = 0, sheetCost = 0;
    agent.bestSheetUse = 0;
    agent.usedSheets = 0;
    const SheetLayout* last = nullptr;
    const Sheet* lastStock = nullptr;
    for (SheetLayout& s : agent.sheets) {
        s.firstSpot = static_cast<std::int32_t>(agent.spots.size());
        s.firstOffcut = static_cast<std::int32_t>(agent.offcuts.size());
        const int at = sheetAt.Find(s.id);
        const double r =
            at < 0 ? 0 : LayoutSheet(job.Sheets()[at], list, agent.spots, agent.offcuts);
        s.spotCount = static_cast<std::int32_t>(agent.spots.size()) - s.firstSpot;
        s.offcutCount = static_cast<std::int32_t>(agent.offcuts.size()) - s.firstOffcut;
        if (r <= kScoreTolerance) continue;
        const Sheet& stock = job.Sheets()[at];
        agent.usedSheets += 1;
        placedArea += r;
        placedCost += stock.unitCost * r;
        const double a = stock.Area();
        sheetArea += a;
        sheetCost += stock.unitCost * a;
        s.utilisation = r / a;
        if (s.utilisation > agent.bestSheetUse) agent.bestSheetUse = s.utilisation;
        last = &s;
        lastStock = &stock;
    }

    if (sheetArea < kScoreTolerance) {
        agent.fitness = 0;
    } else if (placedArea >= job.PartArea()) {
        if (settings.costObjective) {
            agent.fitness = sheetCost < kScoreTolerance ? 0 : placedCost / sheetCost;
        } else {
            if (agent.usedSheets > 1) {
                // The last sheet counts only as far as its placements reach, measured
                // in single precision. The rounding is deliberate: the ranking of
                // candidates, and so the plan of every seed, follows these scores,
                // and double precision would rank near ties differently.
                sheetArea -= lastStock->Area();
                float mx = 0, my = 0;
                for (const PartSpot& p : agent.PartsOn(*last)) {
                    mx = std::max(mx, static_cast<float>(p.x + PlacedLength(p, job.Parts())));
                    my = std::max(my, static_cast<float>(p.y + PlacedWidth(p, job.Parts())));
                }
                sheetArea += static_cast<double>(mx) * my;
            }
            agent.fitness = placedArea / sheetArea;
        }
    } else if (settings.costObjective) {
        // Stock without cost would make this 0 / 0: such a plan scores nothing.
        agent.fitness = job.SheetCost() < kScoreTolerance ? 0 : placedCost / job.SheetCost();
    } else {
        agent.fitness = placedArea / job.SheetArea();
    }
}

SearchedPlan CandidatePlan(const Agent& agent, const Job& job) {
    IdIndex sheetAt;
    sheetAt.Build(static_cast<int>(job.Sheets().size()), [&](int i) { return job.Sheets()[i].id; });
    SearchedPlan plan;
    plan.fitness = agent.fitness;
    plan.allPlaced = AllPartsPlaced(agent, job.PartCount());
    std::vector<LaidOutSheet>& sheets = plan.sheets;
    sheets.reserve(agent.sheets.size());
    for (const SheetLayout& s : agent.sheets) {
        const int at = sheetAt.Find(s.id);
        if (at < 0) continue;
        LaidOutSheet& laid = sheets.emplace_back(LaidOutSheet{job.Sheets()[at]});
        laid.parts.reserve(s.spotCount);
        for (const PartSpot& spot : agent.PartsOn(s)) {
            const Part& part = job.Parts()[spot.part];
            laid.parts.push_back(Footprint{spot.x, spot.y, PlacedLength(spot, job.Parts()),
                                           PlacedWidth(spot, job.Parts()), part.id, part.label,
                                           spot.rotated});
        }
        const auto offcuts = agent.OffcutsOn(s);
        laid.offcuts.assign(offcuts.begin(), offcuts.end());
        laid.utilisation = s.utilisation;
    }
    return plan;
}

void Exchange(Agent& a, Agent& b) {
    std::swap(a, b);
}

bool AllPartsPlaced(const Agent& agent, std::int32_t partCount) {
    std::int64_t count = 0;
    for (const SheetLayout& s : agent.sheets) count += s.spotCount;
    return count == partCount;
}

bool Better(const Agent& p, const Agent& q) {
    if (p.fitness > q.fitness + kScoreTolerance) return true;
    if (std::fabs(p.fitness - q.fitness) >= kScoreTolerance) return false;
    return p.usedSheets < q.usedSheets ||
           (p.usedSheets == q.usedSheets && p.bestSheetUse > q.bestSheetUse);
}

}  // namespace tarvex
