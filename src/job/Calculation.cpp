#include "job/Calculation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include "job/DecimalGrid.h"
#include "job/JobInput.h"
#include "job/PlanBound.h"
#include "model/Tolerances.h"

namespace tarvex {

namespace {

// Back to real sizes and positions from the sheet corner; figures of the plan.
// Sizes are the entered ones, positions those of exact decimal arithmetic where
// the entries allow it.
void Restore(SearchedPlan& plan, const Job& job, const CutSettings& cut, AppliedResult& result) {
    std::vector<LaidOutSheet>& sheets = plan.sheets;
    const Margins& m = cut.margins;
    const double kerf = cut.bladeWidth;
    const DecimalGrid grid = DecimalGrid::Of(job, cut);
    const std::int32_t firstPartId = job.Parts().empty() ? 0 : job.Parts().front().id;
    const auto entered = [&](const Footprint& f) -> std::optional<EnteredSize> {
        const auto at = static_cast<std::size_t>(f.partId - firstPartId);
        if (f.partId < firstPartId || at >= job.EnteredParts().size() ||
            job.Parts()[at].id != f.partId)
            return std::nullopt;
        const EnteredSize& e = job.EnteredParts()[at];
        return f.rotated ? EnteredSize{e.width, e.length, e.entryRow} : e;
    };
    double usedArea = 0, partArea = 0, offcutArea = 0;
    result.sheets.clear();
    result.sheets.reserve(sheets.size());
    for (LaidOutSheet& s : sheets) {
        PlannedSheet& planned = result.sheets.emplace_back();
        planned.id = s.id;
        planned.label = std::move(s.label);
        const auto sheetAt = static_cast<std::size_t>(s.id);
        if (s.id >= 0 && sheetAt < job.EnteredSheets().size() && job.Sheets()[sheetAt].id == s.id) {
            planned.length = job.EnteredSheets()[sheetAt].length;
            planned.width = job.EnteredSheets()[sheetAt].width;
            planned.entryRow = job.EnteredSheets()[sheetAt].entryRow;
        } else {
            planned.width = s.width + (m.top + m.bottom);
            planned.length = s.length + (m.left + m.right);
        }
        planned.unitCost = s.unitCost;
        planned.utilisation = s.utilisation;
        planned.parts.reserve(s.parts.size());
        for (Footprint& f : s.parts) {
            Placement& p = planned.parts.emplace_back();
            const std::optional<EnteredSize> size = entered(f);
            p.length = size ? size->length : f.length - kerf;
            p.width = size ? size->width : f.width - kerf;
            p.x = grid.Snap(f.x + m.left);
            p.y = grid.Snap(f.y + m.bottom);
            p.partId = f.partId;
            p.label = std::move(f.label);
            p.rotated = f.rotated;
            if (size) p.entryRow = size->entryRow;
        }
        planned.offcuts = std::move(s.offcuts);
        planned.used = !planned.parts.empty();
        if (!planned.used) continue;
        usedArea += planned.Area();
        for (const Placement& p : planned.parts) partArea += p.Area();
        for (Offcut& o : planned.offcuts) {
            o.length = grid.Snap(o.length);
            o.width = grid.Snap(o.width);
            offcutArea += o.Area();
            o.x = grid.Snap(o.x + m.left);
            o.y = grid.Snap(o.y + m.bottom);
        }
    }
    if (usedArea == 0) usedArea = 1.0;
    result.ratioParts = static_cast<float>(partArea / usedArea);
    result.ratioWithOffcuts = static_cast<float>((partArea + offcutArea) / usedArea);
    result.placedPartArea = partArea;
    result.offcutArea = offcutArea;
    result.allPlaced = plan.allPlaced;
    result.fitness = plan.fitness;
}

// Parts the workshop cannot tell apart: the same label and the same entered sizes,
// whichever way each lies on its sheet.
bool SamePart(const Placement& a, const Placement& b) {
    const auto entered = [](const Placement& p) {
        return p.rotated ? std::pair{p.width, p.length} : std::pair{p.length, p.width};
    };
    return a.label == b.label && entered(a) == entered(b);
}

int CountSameParts(const PlannedSheet& sheet, const Placement& part) {
    return static_cast<int>(std::count_if(sheet.parts.begin(), sheet.parts.end(),
                                          [&](const Placement& p) { return SamePart(p, part); }));
}

// Cutting one of the sheets twice gives what cutting both gives.
bool IdenticalLayouts(const PlannedSheet& p, const PlannedSheet& q) {
    if (q.label != p.label || q.length != p.length || q.width != p.width ||
        q.parts.size() != p.parts.size())
        return false;
    for (const Placement& x : p.parts)
        if (CountSameParts(p, x) != CountSameParts(q, x)) return false;
    return true;
}

}  // namespace

CalcOutcome RefusedOutcome(CalcOutcome::Status status, InputFault fault) {
    CalcOutcome o;
    o.status = status;
    o.fault = std::move(fault);
    return o;
}

JobSnapshot JobSnapshot::Take(const JobRows& rows) {
    JobSnapshot s;
    s.cut = rows.settings.cut;
    s.search = rows.settings.search;
    // A renamed row is the same job: labels only name the plan's parts and sheets.
    s.parts = rows.parts;
    for (PartRow& row : s.parts) row.label.clear();
    s.sheets = rows.sheets;
    for (SheetRow& row : s.sheets) row.label.clear();
    return s;
}

bool LimitsStages(const CutSettings& cut) {
    return cut.guillotine && (cut.stages != 0 || cut.firstCut != FirstCut::Any);
}

double RoundTo5(double v) {
    return std::nearbyint(v * kFitnessScale) / kFitnessScale;
}

bool KeepsPreviousResult(bool jobChanged, double lastFitness, double newFitness) {
    const float diff = static_cast<float>(RoundTo5(lastFitness) - RoundTo5(newFitness));
    return !jobChanged && diff >= 0;
}

Calculation::Calculation(PlanChecker check) : check_(std::move(check)) {}
Calculation::~Calculation() = default;

void Calculation::Discard() {
    gathered_.reset();
    ready_ = false;
    candidate_.reset();
}

std::optional<CalcOutcome> Calculation::Prepare(const JobRows& rows) {
    using S = CalcOutcome::Status;
    Discard();
    Job job;
    InputFault fault;
    if (!GatherJob(rows, nextPartId_, job, fault)) return RefusedOutcome(S::InputRefused, fault);
    nextPartId_ += job.PartCount();
    gathered_ = Prepared{rows, std::move(job), rows.settings, JobSnapshot::Take(rows)};
    if (LimitsStages(rows.settings.cut) && rows.settings.search == SearchMethod::Classic) {
        gathered_->settings.search = SearchMethod::Best;
        gathered_->bestForStages = true;
    }
    const Job& j = gathered_->job;
    if (j.PartCount() == 0)
        return RefusedOutcome(S::InputRefused,
                              {.code = InputFault::Code::NoParts, .table = EntryTable::Parts});
    // The parts as entered: a part as large as the usable area fits, as the kerf
    // rule lets a part end at the sheet's edge.
    if (EnteredPartArea(rows) > j.SheetArea())
        return RefusedOutcome(S::AreaRefused, InputFault{.code = InputFault::Code::AreaExceeded});
    ready_ = true;
    return std::nullopt;
}

int Calculation::MaxGenerationsOfPrepared() const {
    return gathered_ ? MaxGenerations(gathered_->settings.speed) : 0;
}

void Calculation::Optimize(GaOptions options, const PassStarted& passStarted,
                           const std::function<void(const BestProgress&)>& bestProgress) {
    if (!ready_) return;
    const Prepared& p = *gathered_;
    options.maxGenerations = MaxGenerations(p.settings.speed);
    const std::int64_t stock = StockUnits(p.rows);
    // The best search's time limit counts from here: the classic plan it starts
    // from takes part of it.
    const auto began = std::chrono::steady_clock::now();
    std::optional<Job> regathered;
    double stockFactor = kFirstStockFactor;
    for (int pass = 1;; ++pass) {
        std::optional<Job> next;
        {
            const Job& job = regathered ? *regathered : p.job;
            GA ga(job, p.settings.cut, options);
            ga.Run();
            // Later passes restart the generator from the first pass's seed.
            options.seed = ga.Seed();
            const bool stopped = options.stop && options.stop->load();
            if (!stopped && !AllPartsPlaced(ga.Best(), job.PartCount()) &&
                job.SheetCount() < stock) {
                stockFactor *= 2;
                Job more;
                InputFault error;
                // These rows were gathered once; only the sheet record limit can refuse
                // more stock, and then the plan of this pass stands.
                if (GatherJob(p.rows, nextPartId_, more, error, stockFactor))
                    next = std::move(more);
            }
            if (!next) {
                SearchedPlan plan = CandidatePlan(ga.Best(), job);
                candidate_ = std::make_unique<AppliedResult>(
                    p.settings.search == SearchMethod::Best && !stopped
                        ? BestPlanFrom(plan, job, p, options, began, bestProgress)
                        : ApplyPlan(std::move(plan), job, p.settings));
                candidate_->generations = ga.GenerationsRun();
                candidate_->seed = ga.Seed();
                candidate_->passes = pass;
                candidate_->entered = p.rows.entered;
                return;
            }
        }
        nextPartId_ += next->PartCount();
        if (passStarted) passStarted(pass + 1);
        regathered = std::move(next);
    }
}

AppliedResult Calculation::BestPlanFrom(const SearchedPlan& classic, const Job& job,
                                        const Prepared& p, const GaOptions& options,
                                        std::chrono::steady_clock::time_point began,
                                        const std::function<void(const BestProgress&)>& progress) {
    // The same part ids as the classic search's job, every sheet of the rows.
    Job all;
    InputFault error;
    if (!GatherJob(p.rows, job.Parts().front().id, all, error,
                   std::numeric_limits<double>::infinity()))
        all = job;
    BestOptions best;
    best.seed = options.seed.value_or(1);
    best.threads = options.threads;
    best.timeLimit =
        p.settings.timeLimit -
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    best.steps = p.settings.bestSteps;
    best.stop = options.stop;
    best.progress = progress;
    return ApplyPlan(SearchBest(all, p.settings.cut, classic.sheets, best), all, p.settings);
}

CalcOutcome Calculation::Finish() {
    using S = CalcOutcome::Status;
    if (!candidate_) return RefusedOutcome(S::InputRefused, {});
    std::unique_ptr<AppliedResult> result = std::move(candidate_);
    if (auto violation = check_(*result)) {
        CalcOutcome rejected;
        rejected.status = S::PlanRejected;
        rejected.violation = std::move(violation);
        return rejected;
    }
    CalcOutcome outcome;
    outcome.status = S::Applied;
    outcome.allPlaced = result->allPlaced;
    outcome.bestForStages = gathered_->bestForStages;
    if (!result->allPlaced) outcome.fittingNoSheet = PartsFittingNoSheet(gathered_->rows);

    if (KeepsPreviousResult(JobChanged(), lastFitness_, result->fitness)) {
        outcome.status = S::KeptPrevious;
        return outcome;
    }
    lastFitness_ = result->fitness;
    applied_ = std::move(result);
    snapshot_ = gathered_->snapshot;
    return outcome;
}

CalcOutcome Calculation::Run(const JobRows& rows, const GaOptions& options) {
    if (auto ended = Prepare(rows)) return *ended;
    Optimize(options);
    return Finish();
}

AppliedResult ApplyPlan(SearchedPlan plan, const Job& job, const JobSettings& settings) {
    AppliedResult applied;
    Restore(plan, job, settings.cut, applied);
    MergeIdenticalLayouts(applied);
    NumberLayouts(applied);
    applied.job = job;
    applied.settings = settings;
    applied.bound = PlanBoundOf(applied, job);
    return applied;
}

void Calculation::Adopt(std::shared_ptr<const AppliedResult> plan) {
    applied_ = std::move(plan);
    lastFitness_ = applied_ ? applied_->fitness : 0.0;
    // Nothing says which job it was made of: a new plan is never judged against it.
    snapshot_.reset();
}

void Calculation::RetypeApplied(EnteredRows entered) {
    if (!applied_) return;
    auto retyped = std::make_shared<AppliedResult>(*applied_);
    retyped->entered = std::move(entered);
    applied_ = std::move(retyped);
}

bool Calculation::JobChanged() const {
    return !snapshot_ || !gathered_ || !(*snapshot_ == gathered_->snapshot);
}

void MergeIdenticalLayouts(AppliedResult& result) {
    auto& sheets = result.sheets;
    for (size_t i = 0; i < sheets.size(); ++i) {
        PlannedSheet& p = sheets[i];
        if (!p.used || !p.distinct) continue;
        for (size_t j = i + 1; j < sheets.size(); ++j) {
            if (!IdenticalLayouts(p, sheets[j])) continue;
            p.count += 1;
            sheets[j].distinct = false;
            sheets[j].mergedInto = static_cast<std::int32_t>(i);
        }
    }
}

void NumberLayouts(AppliedResult& result) {
    for (int next = 0;; ++next) {
        PlannedSheet* chosen = nullptr;
        double best = 0;
        for (PlannedSheet& s : result.sheets) {
            if (!s.used || !s.distinct || s.layoutIndex >= 0) continue;
            if (s.utilisation >= best) {
                best = s.utilisation;
                chosen = &s;
            }
        }
        if (!chosen) return;
        chosen->layoutIndex = next;
    }
}

}  // namespace tarvex
