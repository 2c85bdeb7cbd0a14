// One calculation: gathers the job from the typed rows, runs the search and turns
// its best candidate into the applied result (real sizes and positions, ratios,
// identical layouts merged and numbered). Every plan passes the plan check before
// it is applied. A repeated calculation of an unchanged job keeps the applied
// result unless the new plan scores higher; a refused or failed calculation, or a
// plan that fails the check, never touches it.
//
// The window drives the three steps: Prepare and Finish on its own thread,
// Optimize on a worker thread. Several calculations may run at once: each owns
// its job, settings and random source.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "job/InputFault.h"
#include "job/JobRows.h"
#include "job/PlanCheck.h"
#include "optimizer/BestSearch.h"
#include "optimizer/Ga.h"

namespace tarvex {

// What a calculation comes to, as data: the window and the command line word it.
struct CalcOutcome {
    enum class Status {
        PartsIncorrect,   // the first part row does not convert
        SheetsIncorrect,  // the first sheet row does not convert
        InputRefused,     // a setting, a later row or the job size is refused
        AreaRefused,      // the parts need more area than the sheets offer
        Applied,          // the new plan is the applied result
        KeptPrevious,     // unchanged job, no better score: the applied result stays
        PlanRejected,     // the plan fails the plan check: the applied result stays
    };
    Status status = Status::InputRefused;
    InputFault fault;  // what a refusal is about
    bool allPlaced = false;
    // The classic search was chosen, but the best search made the plan to keep the
    // stage limits.
    bool bestForStages = false;
    // Of a plan that leaves parts out: the part rows that fit on no sheet.
    std::vector<PartRow> fittingNoSheet;
    std::optional<PlanViolation> violation;  // of a rejected plan

    bool Ran() const { return status == Status::Applied || status == Status::KeptPrevious; }
};

CalcOutcome RefusedOutcome(CalcOutcome::Status status, InputFault fault);

// The values a repeated calculation compares to decide whether the job changed.
struct JobSnapshot {
    CutSettings cut;
    SearchMethod search = SearchMethod::Classic;
    std::vector<PartRow> parts;    // without their labels
    std::vector<SheetRow> sheets;  // likewise

    static JobSnapshot Take(const JobRows& rows);
    bool operator==(const JobSnapshot&) const = default;
};

// Whether the settings hold a guillotine plan to stages or to a first-cut direction:
// only the best search follows them, so a calculation then runs it whatever
// search is chosen.
bool LimitsStages(const CutSettings& cut);

// v rounded to the nearest multiple of 1 / kFitnessScale (0.00001), halves to even.
double RoundTo5(double v);
// An unchanged job keeps its applied result unless the new plan scores higher at
// five decimals (the difference taken in single precision, deliberately: a gain
// below its resolution must not replace the plan the workshop already has).
bool KeepsPreviousResult(bool jobChanged, double lastFitness, double newFitness);

class Calculation {
  public:
    // The check every plan must pass before it is applied; tests put in their own.
    using PlanChecker = std::function<std::optional<PlanViolation>(const AppliedResult&)>;

    explicit Calculation(PlanChecker check = CheckPlan);
    ~Calculation();

    // Gathers the job and refuses a job without parts or whose parts need more area
    // than its sheets. Returns the outcome when the calculation ends here, nothing
    // when Optimize may run.
    std::optional<CalcOutcome> Prepare(const JobRows& rows);
    // Forgets the prepared job, when the input could not even be read into rows;
    // the applied result stays.
    void Discard();
    // The job of the last Prepare that got as far as building it (its totals are
    // shown even when the calculation is then refused); nullptr otherwise.
    const Job* Gathered() const { return gathered_ ? &gathered_->job : nullptr; }
    // The generations the prepared search runs at most.
    int MaxGenerationsOfPrepared() const;
    // Called on the searching thread before each search pass after the first.
    using PassStarted = std::function<void(int pass)>;
    // Runs the search on the prepared job; any thread. The stop flag of the
    // options ends the search after the current generation; the generations are
    // those of the prepared settings. When parts stay unplaced while the rows hold
    // stock the job did not take, the job is gathered again with twice the stock
    // limit (part ids counting on) and searched again from the same seed, until
    // every part is placed or every sheet is taken; the last pass's plan counts.
    // With the best search chosen, the best search then goes on from that plan
    // with all the stock of the rows, reporting through `bestProgress`; the stop
    // flag ends it too.
    void Optimize(GaOptions options, const PassStarted& passStarted = {},
                  const std::function<void(const BestProgress&)>& bestProgress = {});
    // Checks the optimized plan, then judges it and applies it or keeps the
    // previous result. A plan that fails the check is never applied.
    CalcOutcome Finish();
    // The three steps in one go on the calling thread.
    CalcOutcome Run(const JobRows& rows, const GaOptions& options);

    // Makes a plan made before (a stored one) the applied result, or forgets the
    // applied result for nullptr. The next calculation's plan replaces it.
    void Adopt(std::shared_ptr<const AppliedResult> plan);
    // Gives the applied result's rows other texts (the Yes/No words of another
    // language); its plan, and what a new plan is judged against, stay.
    void RetypeApplied(EnteredRows entered);

    // The applied result; nullptr before the first one. The shared form stays valid
    // for its holder after a later calculation replaces it.
    const AppliedResult* Applied() const { return applied_.get(); }
    std::shared_ptr<const AppliedResult> AppliedShared() const { return applied_; }
    // Whether the prepared job differs from the one of the applied result.
    bool JobChanged() const;

  private:
    // The rows and job of one material.
    struct MaterialRun {
        JobRows rows;
        Job job;
    };
    struct Prepared {
        JobRows rows;
        Job job;  // of every material
        JobSettings settings;
        JobSnapshot snapshot;
        bool bestForStages = false;  // the best search runs for the stage limits
        std::vector<MaterialRun> runs;
    };
    std::optional<CalcOutcome> PrepareMaterials(const JobRows& rows, std::vector<JobRows> groups);
    AppliedResult PlanMaterials(const Prepared& p, GaOptions options,
                                std::chrono::steady_clock::time_point began,
                                const PassStarted& passStarted,
                                const std::function<void(const BestProgress&)>& best);

    PlanChecker check_;
    // Part ids keep counting from one calculation to the next.
    std::int32_t nextPartId_ = 0;
    std::optional<Prepared> gathered_;
    bool ready_ = false;  // the gathered job passed every check
    // The applied result is also the previous one that a new plan must beat.
    std::shared_ptr<const AppliedResult> applied_;
    double lastFitness_ = 0.0;
    std::optional<JobSnapshot> snapshot_;  // of the applied result's job
    std::unique_ptr<AppliedResult> candidate_;
};

// A search's plan of `job` as a calculation applies it: real sizes and positions
// from the sheet corner, the figures, identical layouts merged and numbered, with
// the job and settings that made it; sizes come from the job's records.
AppliedResult ApplyPlan(SearchedPlan plan, const Job& job, const JobSettings& settings);

// Merges the used sheets whose label and sizes equal an earlier used and distinct
// sheet's, and that hold as many parts of each label and entered size (turns
// undone), into it (its count rises, theirs lose distinct).
void MergeIdenticalLayouts(AppliedResult& result);
// Numbers the used and distinct sheets 0, 1, ... by descending utilisation; of
// equal values the last in list order comes first.
void NumberLayouts(AppliedResult& result);

}  // namespace tarvex
