#include "job/Calculation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "job/DecimalGrid.h"
#include "job/EdgeBanding.h"
#include "job/JobInput.h"
#include "job/MaterialPlans.h"
#include "job/PlanBound.h"
#include "model/Tolerances.h"
#include "optimizer/Random.h"

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
    // The entered sizes of a footprint's part as it lies on the sheet.
    const auto entered = [&](const Footprint& f, bool rotated) -> std::optional<EnteredSize> {
        const auto at = static_cast<std::size_t>(f.partId - firstPartId);
        if (f.partId < firstPartId || at >= job.EnteredParts().size() ||
            job.Parts()[at].id != f.partId)
            return std::nullopt;
        const EnteredSize& e = job.EnteredParts()[at];
        return rotated ? EnteredSize{e.width, e.length, e.entryRow} : e;
    };
    double usedArea = 0, partArea = 0, offcutArea = 0;
    result.sheets.clear();
    result.sheets.reserve(sheets.size());
    for (LaidOutSheet& s : sheets) {
        PlannedSheet& planned = result.sheets.emplace_back();
        planned.id = s.id;
        planned.label = std::move(s.label);
        // A turned record's x runs along the entered sheet's y: turned back, every
        // footprint and offcut swaps its axes, and a part lies turned the other way.
        const bool back = s.turned;
        const auto sheetAt = static_cast<std::size_t>(s.id);
        if (s.id >= 0 && sheetAt < job.EnteredSheets().size() && job.Sheets()[sheetAt].id == s.id) {
            planned.length = job.EnteredSheets()[sheetAt].length;
            planned.width = job.EnteredSheets()[sheetAt].width;
            planned.entryRow = job.EnteredSheets()[sheetAt].entryRow;
        } else {
            planned.width = (back ? s.length : s.width) + (m.top + m.bottom);
            planned.length = (back ? s.width : s.length) + (m.left + m.right);
        }
        planned.unitCost = s.unitCost;
        planned.utilisation = s.utilisation;
        planned.parts.reserve(s.parts.size());
        for (Footprint& f : s.parts) {
            Placement& p = planned.parts.emplace_back();
            p.rotated = f.rotated != back;
            const std::optional<EnteredSize> size = entered(f, p.rotated);
            const double laidLength = back ? f.width : f.length;
            const double laidWidth = back ? f.length : f.width;
            p.length = size ? size->length : laidLength - kerf;
            p.width = size ? size->width : laidWidth - kerf;
            p.x = grid.Snap((back ? f.y : f.x) + m.left);
            p.y = grid.Snap((back ? f.x : f.y) + m.bottom);
            p.partId = f.partId;
            p.label = std::move(f.label);
            if (size) p.entryRow = size->entryRow;
        }
        planned.offcuts = std::move(s.offcuts);
        if (back)
            for (Offcut& o : planned.offcuts) {
                std::swap(o.x, o.y);
                std::swap(o.length, o.width);
            }
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

using BestReport = std::function<void(const BestProgress&)>;

AppliedResult BestPlanFrom(const SearchedPlan& classic, const Job& job, const JobRows& rows,
                           const JobSettings& settings, const GaOptions& options,
                           std::chrono::steady_clock::time_point began,
                           const BestReport& progress) {
    // The same part ids as the classic search's job, every sheet of the rows.
    Job all;
    InputFault error;
    if (!GatherJob(rows, job.Parts().front().id, all, error,
                   std::numeric_limits<double>::infinity()))
        all = job;
    BestOptions best;
    best.seed = options.seed.value_or(1);
    best.threads = options.threads;
    best.timeLimit =
        settings.timeLimit -
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    best.steps = settings.bestSteps;
    best.stop = options.stop;
    best.progress = progress;
    return ApplyPlan(SearchBest(all, settings.cut, classic.sheets, best), all, settings);
}

// The plan of one material's rows, first gathered as `first`: the classic search,
// again with more stock while parts stay unplaced and the rows hold more, then the
// best search when it is chosen. The job of every pass after the first takes its
// part ids from `nextPartId` on.
AppliedResult PlanOfRows(const JobRows& rows, const Job& first, const JobSettings& settings,
                         GaOptions options, std::chrono::steady_clock::time_point began,
                         std::int32_t& nextPartId, const Calculation::PassStarted& passStarted,
                         const BestReport& bestProgress) {
    const std::int64_t stock = StockUnits(rows);
    std::optional<Job> regathered;
    double stockFactor = kFirstStockFactor;
    for (int pass = 1;; ++pass) {
        std::optional<Job> next;
        {
            const Job& job = regathered ? *regathered : first;
            GA ga(job, settings.cut, options);
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
                if (GatherJob(rows, nextPartId, more, error, stockFactor)) next = std::move(more);
            }
            if (!next) {
                SearchedPlan plan = CandidatePlan(ga.Best(), job);
                AppliedResult result =
                    settings.search == SearchMethod::Best && !stopped
                        ? BestPlanFrom(plan, job, rows, settings, options, began, bestProgress)
                        : ApplyPlan(std::move(plan), job, settings);
                result.generations = ga.GenerationsRun();
                result.seed = ga.Seed();
                result.passes = pass;
                return result;
            }
        }
        nextPartId += next->PartCount();
        if (passStarted) passStarted(pass + 1);
        regathered = std::move(next);
    }
}

// The best search's progress over several materials searched at once: the sheets
// and cost of all, a material not yet heard of counting as not placed.
class JoinedBestProgress {
  public:
    JoinedBestProgress(std::size_t materials, BestReport report)
        : last_(materials), report_(std::move(report)) {}

    void Report(std::size_t material, const BestProgress& progress) {
        std::lock_guard lock(mutex_);
        last_[material] = progress;
        BestProgress all;
        all.allPlaced = true;
        double weighted = 0;
        for (const std::optional<BestProgress>& p : last_) {
            if (!p) {
                all.allPlaced = false;
                continue;
            }
            all.sheets += p->sheets;
            all.cost += p->cost;
            weighted += p->utilisation * p->sheets;
            all.secondsLeft = std::max(all.secondsLeft, p->secondsLeft);
            all.allPlaced = all.allPlaced && p->allPlaced;
        }
        all.utilisation = all.sheets > 0 ? weighted / all.sheets : 0;
        report_(all);
    }

  private:
    std::mutex mutex_;
    std::vector<std::optional<BestProgress>> last_;
    BestReport report_;
};

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

std::optional<CalcOutcome> Calculation::Prepare(const JobRows& typed) {
    using S = CalcOutcome::Status;
    Discard();
    if (std::optional<InputFault> fault = BandingFault(typed))
        return RefusedOutcome(S::InputRefused, *fault);
    // From here on a part's sizes are those it is cut to.
    const JobRows rows = CutSizes(typed);
    if (std::optional<InputFault> fault = FirstCutAcrossGrain(rows))
        return RefusedOutcome(S::InputRefused, *fault);
    if (std::optional<InputFault> fault = PartWithoutItsMaterial(rows))
        return RefusedOutcome(S::InputRefused, *fault);
    std::vector<JobRows> groups = RowsByMaterial(rows);
    if (groups.size() != 1) {
        if (groups.empty())
            return RefusedOutcome(S::InputRefused,
                                  {.code = InputFault::Code::NoParts, .table = EntryTable::Parts});
        return PrepareMaterials(rows, std::move(groups));
    }
    const JobRows& material = groups.front();
    Job job;
    InputFault fault;
    if (!GatherJob(material, nextPartId_, job, fault))
        return RefusedOutcome(S::InputRefused, fault);
    nextPartId_ += job.PartCount();
    gathered_ = Prepared{rows, job, rows.settings, JobSnapshot::Take(rows), false, {}};
    gathered_->runs.push_back({std::move(groups.front()), std::move(job)});
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
    if (EnteredPartArea(gathered_->runs.front().rows) > j.SheetArea())
        return RefusedOutcome(S::AreaRefused, InputFault{.code = InputFault::Code::AreaExceeded});
    ready_ = true;
    return std::nullopt;
}

std::optional<CalcOutcome> Calculation::PrepareMaterials(const JobRows& rows,
                                                         std::vector<JobRows> groups) {
    using S = CalcOutcome::Status;
    std::int64_t records = 0;
    for (const PartRow& row : rows.parts) records += std::max(row.quantity, 0);
    if (records > kMaxPartRecords)
        return RefusedOutcome(S::InputRefused, {.code = InputFault::Code::TooManyParts,
                                                .table = EntryTable::Parts,
                                                .column = EntryColumn::Quant,
                                                .values = {std::to_string(records),
                                                           std::to_string(kMaxPartRecords)}});
    std::vector<MaterialRun> runs;
    for (JobRows& group : groups) {
        // Each material's ids count from 0 while it is searched; the joined plan
        // moves them to this calculation's.
        Job job;
        InputFault fault;
        if (!GatherJob(group, 0, job, fault)) return RefusedOutcome(S::InputRefused, fault);
        if (EnteredPartArea(group) > job.SheetArea())
            return RefusedOutcome(S::AreaRefused,
                                  InputFault{.code = InputFault::Code::AreaExceeded});
        runs.push_back({std::move(group), std::move(job)});
    }
    std::vector<const Job*> jobs;
    std::vector<std::int32_t> shifts;
    for (const MaterialRun& run : runs) {
        jobs.push_back(&run.job);
        shifts.push_back(nextPartId_);
        nextPartId_ += run.job.PartCount();
    }
    gathered_ = Prepared{rows,          Job::Joined(jobs, shifts),
                         rows.settings, JobSnapshot::Take(rows),
                         false,         std::move(runs)};
    if (LimitsStages(rows.settings.cut) && rows.settings.search == SearchMethod::Classic) {
        gathered_->settings.search = SearchMethod::Best;
        gathered_->bestForStages = true;
    }
    ready_ = true;
    return std::nullopt;
}

int Calculation::MaxGenerationsOfPrepared() const {
    if (!gathered_) return 0;
    return MaxGenerations(gathered_->settings.speed) *
           std::max(1, static_cast<int>(gathered_->runs.size()));
}

void Calculation::Optimize(GaOptions options, const PassStarted& passStarted,
                           const std::function<void(const BestProgress&)>& bestProgress) {
    if (!ready_) return;
    const Prepared& p = *gathered_;
    options.maxGenerations = MaxGenerations(p.settings.speed);
    // The best search's time limit counts from here: the classic plan it starts
    // from takes part of it.
    const auto began = std::chrono::steady_clock::now();
    if (p.runs.size() == 1) {
        candidate_ = std::make_unique<AppliedResult>(
            PlanOfRows(p.runs.front().rows, p.runs.front().job, p.settings, options, began,
                       nextPartId_, passStarted, bestProgress));
    } else {
        candidate_ = std::make_unique<AppliedResult>(
            PlanMaterials(p, options, began, passStarted, bestProgress));
    }
    candidate_->entered = p.rows.entered;
}

AppliedResult Calculation::PlanMaterials(const Prepared& p, GaOptions options,
                                         std::chrono::steady_clock::time_point began,
                                         const PassStarted& passStarted,
                                         const std::function<void(const BestProgress&)>& best) {
    // The materials are searched side by side, each on its share of the cores; a
    // plan does not depend on the number of threads, and every material starts from
    // the same seed.
    if (!options.seed) options.seed = RandomSource::ClockSeed();
    const std::size_t materials = p.runs.size();
    const int cores = options.threads > 0
                          ? options.threads
                          : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    options.threads = std::max(1, cores / static_cast<int>(materials));
    std::mutex reporting;
    if (options.progress)
        options.progress = [&reporting, step = options.progress] {
            std::lock_guard lock(reporting);
            step();
        };
    PassStarted passes;
    if (passStarted)
        passes = [&](int pass) {
            std::lock_guard lock(reporting);
            passStarted(pass);
        };
    std::optional<JoinedBestProgress> joinedBest;
    if (best) joinedBest.emplace(materials, best);
    std::vector<AppliedResult> plans(materials);
    {
        std::vector<std::jthread> workers;
        for (std::size_t k = 0; k < materials; ++k)
            workers.emplace_back([&, k] {
                BestReport report;
                if (joinedBest)
                    report = [&joinedBest, k](const BestProgress& b) { joinedBest->Report(k, b); };
                std::int32_t localIds = p.runs[k].job.PartCount();
                plans[k] = PlanOfRows(p.runs[k].rows, p.runs[k].job, p.settings, options, began,
                                      localIds, passes, report);
            });
    }
    AppliedResult joined = JoinMaterialPlans(std::move(plans), nextPartId_);
    nextPartId_ += joined.job.PartCount();
    return joined;
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
    if (!result->allPlaced)
        for (const MaterialRun& run : gathered_->runs)
            for (PartRow& row : PartsFittingNoSheet(run.rows))
                outcome.fittingNoSheet.push_back(std::move(row));
    std::stable_sort(outcome.fittingNoSheet.begin(), outcome.fittingNoSheet.end(),
                     [](const PartRow& a, const PartRow& b) { return a.row < b.row; });

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
