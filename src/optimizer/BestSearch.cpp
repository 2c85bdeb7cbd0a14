#include "optimizer/BestSearch.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "optimizer/BestLane.h"
#include "optimizer/PatternMaster.h"

namespace tarvex {

namespace {

using Clock = std::chrono::steady_clock;

bool Alike(const Sheet& a, const Sheet& b) {
    return a.label == b.label && a.length == b.length && a.width == b.width &&
           a.unitCost == b.unitCost && a.usedFirst == b.usedFirst;
}

// The start plan's sheets matched to this job's sheets of the same row kind, its
// parts to this job's parts by id.
BestPlan FromCandidate(const Job& job, const std::vector<LaidOutSheet>& start,
                       SheetPacker& packer) {
    BestPlan plan;
    plan.turned.assign(job.Parts().size(), 0);
    plan.taken.assign(job.Sheets().size(), 0);
    std::unordered_map<std::int32_t, std::int32_t> partAt;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(job.Parts().size()); ++i)
        partAt[job.Parts()[i].id] = i;
    std::vector<char> placed(job.Parts().size(), 0);
    for (const LaidOutSheet& s : start) {
        if (s.parts.empty()) continue;
        std::int32_t match = -1;
        for (std::int32_t k = 0; k < static_cast<std::int32_t>(job.Sheets().size()); ++k)
            if (!plan.taken[k] && Alike(job.Sheets()[k], s)) {
                match = k;
                break;
            }
        if (match < 0) continue;
        UsedSheet& u = plan.used.emplace_back();
        u.sheet = match;
        u.layout = s;
        u.layout.id = job.Sheets()[match].id;
        plan.taken[match] = 1;
        for (const Footprint& f : s.parts) {
            const std::int32_t i = partAt.at(f.partId);
            u.parts.push_back(i);
            placed[i] = 1;
            plan.turned[i] = f.rotated;
            u.placedArea += f.length * f.width;
        }
        u.layout.utilisation = u.placedArea / u.layout.Area();
    }
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(job.Parts().size()); ++i)
        if (!placed[i]) plan.waiting.push_back(i);
    packer.Score(plan);
    return plan;
}

// The plan for the result application: its sheets in the job's order, then free ones, as many
// of each kind as the start plan held in all (the search may draw on all the
// stock, but a plan lists only the stock its job would have taken); scored as the
// classic search scores a candidate whose sheets all count in full.
SearchedPlan ToSearched(const Job& job, const CutSettings& settings, const BestPlan& plan,
                        const std::vector<LaidOutSheet>& start) {
    SearchedPlan out;
    std::vector<const UsedSheet*> used;
    for (const UsedSheet& u : plan.used) used.push_back(&u);
    std::sort(used.begin(), used.end(),
              [](const UsedSheet* a, const UsedSheet* b) { return a->sheet < b->sheet; });
    double placedArea = 0, sheetArea = 0, placedCost = 0, sheetCost = 0;
    for (const UsedSheet* u : used) {
        out.sheets.push_back(u->layout);
        const Sheet& s = out.sheets.back();
        placedArea += u->placedArea;
        sheetArea += s.Area();
        placedCost += s.unitCost * u->placedArea;
        sheetCost += s.unitCost * s.Area();
    }
    std::vector<const Sheet*> listed;
    for (const Sheet& s : start) listed.push_back(&s);
    const auto unlist = [&](const Sheet& s) {
        const auto same = std::find_if(listed.begin(), listed.end(),
                                       [&](const Sheet* l) { return Alike(*l, s); });
        if (same == listed.end()) return false;
        listed.erase(same);
        return true;
    };
    for (const UsedSheet* u : used) unlist(u->layout);
    for (std::int32_t k = 0; k < static_cast<std::int32_t>(job.Sheets().size()); ++k)
        if (!plan.taken[k] && unlist(job.Sheets()[k]))
            out.sheets.push_back(LaidOutSheet{job.Sheets()[k]});
    out.allPlaced = plan.Complete();
    if (settings.costObjective)
        out.fitness = sheetCost > 0 ? placedCost / sheetCost : 0;
    else
        out.fitness = sheetArea > 0 ? placedArea / sheetArea : 0;
    return out;
}

// The plan of the chosen patterns, each on a free sheet of its kind.
BestPlan FromPatterns(const Job& job, const CutSettings& settings, const PatternJob& pj,
                      const std::vector<SheetPattern>& sheets, SheetPacker& packer) {
    BestPlan plan;
    plan.turned.assign(job.Parts().size(), 0);
    plan.taken.assign(job.Sheets().size(), 0);
    std::vector<std::vector<std::int32_t>> parts;
    for (const PieceType& t : pj.types) parts.push_back(t.parts);
    std::vector<std::size_t> next(pj.kinds.size(), 0);
    for (const SheetPattern& pattern : sheets) {
        UsedSheet& u = plan.used.emplace_back();
        u.sheet = pj.kinds[pattern.kind].sheets[next[pattern.kind]++];
        plan.taken[u.sheet] = 1;
        u.layout = LayOutPattern(pattern, job, settings, u.sheet, parts, u.parts, u.placedArea);
        for (std::size_t k = 0; k < u.parts.size(); ++k)
            plan.turned[u.parts[k]] = u.layout.parts[k].rotated;
    }
    for (const auto& left : parts)
        plan.waiting.insert(plan.waiting.end(), left.rbegin(), left.rend());
    std::sort(plan.waiting.begin(), plan.waiting.end());
    packer.Score(plan);
    return plan;
}

// The best plan the patterns give: strips along the directions the first cut may
// take, stacks in them unless only two stages are allowed.
BestPlan PatternPlan(const Job& job, const CutSettings& settings, const BestParameters& parameters,
                     const std::function<bool()>& ended, SheetPacker& packer) {
    const PatternJob pj = PatternJob::Of(job, settings);
    const double grid = PatternGrid(pj, parameters.gridCells);
    const bool fixed = settings.guillotine;
    const bool alongLength = !fixed || settings.firstCut != FirstCut::Width;
    const bool alongWidth = !fixed || settings.firstCut != FirstCut::Length;
    const bool stacks = !fixed || settings.stages != 2;
    std::vector<PatternPricer> pricers;
    for (std::int32_t k = 0; k < static_cast<std::int32_t>(pj.kinds.size()); ++k)
        pricers.emplace_back(pj, k, grid, alongLength, alongWidth, stacks);
    PatternPlanLimits limits;
    limits.roundsPerSolve = parameters.roundsPerSolve;
    limits.totalRounds = parameters.patternRounds;
    limits.roundings = parameters.roundings;
    limits.fewestSheets = SheetLowerBound(job, settings);
    limits.ended = ended;
    return FromPatterns(job, settings, pj, PlanByPatterns(pj, pricers, limits), packer);
}

BestProgress ProgressOf(const SheetPacker& packer, const BestPlan& plan, double secondsLeft) {
    BestProgress p;
    double placed = 0, area = 0;
    for (const UsedSheet& u : plan.used) {
        placed += u.placedArea;
        area += u.layout.Area();
        // A sheet costs what its row says, margins included.
        p.cost += packer.job.Sheets()[u.sheet].unitCost * packer.FullArea(u.sheet);
    }
    p.sheets = static_cast<std::int32_t>(plan.used.size());
    p.utilisation = area > 0 ? placed / area : 0;
    p.secondsLeft = secondsLeft;
    p.allPlaced = plan.Complete();
    return p;
}

}  // namespace

std::int32_t SheetLowerBound(const Job& job, const CutSettings& settings) {
    if (job.Sheets().empty()) return 0;
    const Sheet& first = job.Sheets().front();
    for (const Sheet& s : job.Sheets())
        if (!Alike(s, first)) return 0;
    const double kerf = settings.bladeWidth;
    double area = 0;
    std::int32_t large = 0;
    for (const Part& p : job.Parts()) {
        const double l = p.length - kerf, w = p.width - kerf;
        area += l * w;
        const bool largeAsIs = l > first.length / 2 && w > first.width / 2;
        const bool largeTurned = w > first.length / 2 && l > first.width / 2;
        large += largeAsIs && (!p.rotatable || largeTurned);
    }
    const auto byArea = static_cast<std::int32_t>(std::ceil(area / first.Area() - 1e-9));
    return std::max(byArea, large);
}

SearchedPlan SearchBest(const Job& job, const CutSettings& settings,
                        const std::vector<LaidOutSheet>& start, const BestOptions& options) {
    const auto began = Clock::now();
    const auto deadline =
        began + std::chrono::duration_cast<Clock::duration>(
                    std::chrono::duration<double>(std::max(0.0, options.timeLimit)));
    const bool bySteps = options.steps > 0;
    int threads = options.threads > 0 ? options.threads
                                      : static_cast<int>(std::thread::hardware_concurrency());
    threads = std::max(1, threads);
    const int laneCount = bySteps ? kStepLanes : threads;
    const auto stopped = [&] { return options.stop && options.stop->load(); };

    std::vector<std::unique_ptr<BestLane>> lanes;
    for (int k = 0; k < laneCount; ++k)
        lanes.push_back(std::make_unique<BestLane>(
            job, settings, options.parameters,
            options.seed + 0x9E3779B9u * static_cast<std::uint32_t>(k + 1)));
    SheetPacker packer(job, settings);
    // The classic fill knows no stage limits: with one set, the plan is made of
    // patterns alone.
    const bool limited =
        settings.guillotine && (settings.stages != 0 || settings.firstCut != FirstCut::Any);
    BestPlan best;
    if (!limited) {
        best = FromCandidate(job, start, packer);
        lanes.front()->Downsize(best);
    }
    const BestParameters& parameters = options.parameters;
    const auto secondsLeft = [&] {
        return bySteps
                   ? 0.0
                   : std::max(0.0, std::chrono::duration<double>(deadline - Clock::now()).count());
    };
    // The start plan is shown before the patterns take their time, and Stop ends them.
    if (!limited && options.progress) options.progress(ProgressOf(packer, best, secondsLeft()));
    const auto patternsEnd =
        began + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                    std::max(0.0, options.timeLimit) * parameters.patternShare));
    BestPlan patterned = PatternPlan(
        job, settings, parameters,
        [&] { return stopped() || (!bySteps && Clock::now() >= patternsEnd); }, packer);
    if (limited || BetterResult(patterned.score, best.score)) best = std::move(patterned);
    if (limited) {
        if (options.progress) options.progress(ProgressOf(packer, best, 0));
        return ToSearched(job, settings, best, start);
    }
    for (auto& lane : lanes) lane->Adopt(best);

    const std::int32_t bound = SheetLowerBound(job, settings);
    const auto proven = [&] {
        return bound > 0 && best.Complete() && static_cast<std::int32_t>(best.used.size()) <= bound;
    };
    std::int64_t stepsLeft = options.steps;
    bool met = false;
    while (!proven() && !stopped() && (bySteps ? stepsLeft > 0 : Clock::now() < deadline)) {
        const std::int64_t quota = bySteps ? std::min(parameters.stepsPerMeeting, stepsLeft)
                                           : std::numeric_limits<std::int64_t>::max();
        const auto meeting = std::min(
            deadline, Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(parameters.meetingSeconds)));
        const auto ended = [&] { return stopped() || (!bySteps && Clock::now() >= meeting); };
        {
            std::vector<std::jthread> workers;
            for (int t = 0; t < std::min(threads, laneCount); ++t)
                workers.emplace_back([&, t] {
                    for (int k = t; k < laneCount; k += threads) lanes[k]->Run(quota, ended);
                });
        }
        stepsLeft -= quota;
        met = true;
        // The lanes meet: the best of them, the first on equal terms, goes to all.
        bool better = false;
        for (auto& lane : lanes)
            if (BetterResult(lane->Best().score, best.score)) {
                best = lane->Best();
                better = true;
            }
        if (better)
            for (auto& lane : lanes)
                if (BetterResult(best.score, lane->Best().score)) lane->Adopt(best);
        if (options.progress) {
            const double left =
                bySteps
                    ? 0
                    : std::max(0.0, std::chrono::duration<double>(deadline - Clock::now()).count());
            options.progress(ProgressOf(packer, best, left));
        }
    }
    // The patterns took the time, or proved the plan: what is shown is where it
    // ended. After Stop nothing more is reported.
    if (!met && !stopped() && options.progress)
        options.progress(ProgressOf(packer, best, secondsLeft()));
    return ToSearched(job, settings, best, start);
}

}  // namespace tarvex
