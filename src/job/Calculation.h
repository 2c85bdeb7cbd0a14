// One calculation: checks the tables, gathers the job, runs the optimizer and turns
// its best candidate into the applied result (real sizes and positions, ratios,
// identical layouts merged and numbered, "Left Quant" updated, report written). A
// repeated calculation of an unchanged job keeps the applied result unless the new
// plan scores higher.
//
// The window drives the three steps: Prepare and Finish on its own thread (they
// write the tables), Optimize on a worker thread. Nothing here touches a widget;
// the job settings and lists are written by Prepare and only read until Finish.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "job/AppliedResult.h"
#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "optimizer/Ga.h"

// What a calculation comes to; `message` is the text to show, already translated.
struct CalcOutcome {
    enum class Status {
        PartsIncorrect,   // the first part row does not convert
        SheetsIncorrect,  // the first sheet row does not convert
        InputRefused,     // a setting, a later row or the job size is refused
        AreaRefused,      // the parts need more area than the sheets offer
        Applied,          // the new plan is the applied result
        KeptPrevious,     // unchanged job, no better score: the applied result stays
    };
    Status status = Status::InputRefused;
    std::string message;
    bool isError = false;  // error icon; information otherwise
    int page = -1;         // page to select: 0 "Sheets", 1 "Parts"; -1 none
    bool allPlaced = false;

    bool Ran() const { return status == Status::Applied || status == Status::KeptPrevious; }
};

// The values a repeated calculation compares to decide whether the job changed.
struct JobSnapshot {
    bool oneCut = false, cost = false;
    double sawwidth = 0, marginleft = 0, margintop = 0, marginright = 0, marginbottom = 0;
    double minlength = 0, minwidth = 0, minarea = 0;
    std::vector<std::string> partColumns;   // columns 1 to 4, all rows joined by "\n"
    std::vector<std::string> sheetColumns;  // columns 1 to 5

    // The job as just gathered: the settings read into the job and the tables.
    static JobSnapshot Take(const SettingsForm& form, const CellTable& sgSheet,
                            const CellTable& sgPart);
    bool operator==(const JobSnapshot&) const = default;
};

// v rounded to the nearest multiple of 0.00001, halves to even.
double RoundTo5(double v);
// An unchanged job keeps its applied result unless the new plan scores higher at
// five decimals (the difference taken in single precision).
bool KeepsPreviousResult(bool jobChanged, double lastFitness, double newFitness);

class Calculation {
  public:
    Calculation();
    ~Calculation();

    // Checks the first rows, gathers the job (writing the totals rows) and refuses
    // a job whose parts need more area than its sheets. Returns the outcome when the
    // calculation ends here, nothing when Optimize may run.
    std::optional<CalcOutcome> Prepare(const SettingsForm& form, CellTable& sgSheet,
                                       CellTable& sgPart);
    // Runs the optimizer on the prepared job; any thread. The stop flag of the
    // options ends the search after the current generation.
    void Optimize(const GaOptions& options);
    // Judges the optimized plan and applies it or keeps the previous result; on
    // applying, writes "Left Quant" into the sheet table and rebuilds the report.
    CalcOutcome Finish(CellTable& sgSheet, const CellTable& sgPart);
    // The three steps in one go on the calling thread.
    CalcOutcome Run(const SettingsForm& form, CellTable& sgSheet, CellTable& sgPart,
                    const GaOptions& options);

    // The applied result; nullptr before the first one. The shared form stays valid
    // for its holder after a later calculation replaces it.
    const AppliedResult* Applied() const { return applied_.get(); }
    std::shared_ptr<const AppliedResult> AppliedShared() const { return applied_; }
    // The report of the applied result, one text line per entry.
    const std::vector<std::string>& ReportLines() const { return report_; }
    // The entries of the layout selector: "1/3", "2/3", "3/3".
    std::vector<std::string> LayoutEntries() const;
    // Whether the prepared job differs from the one of the applied result.
    bool JobChanged() const;

  private:
    // The applied result is also the previous one that a new plan must beat.
    std::shared_ptr<const AppliedResult> applied_;
    double lastFitness_ = 0.0;
    std::optional<JobSnapshot> snapshot_;  // of the applied result's job
    std::optional<JobSnapshot> current_;   // of the prepared job
    std::unique_ptr<AppliedResult> candidate_;
    std::vector<std::string> report_;
};

// Merges the used sheets whose label and counts of parts per label equal an
// earlier used and distinct sheet's into it (its count rises, theirs lose distinct).
void MergeIdenticalLayouts(AppliedResult& result);
// Numbers the used and distinct sheets 0, 1, ... by descending utilisation; of
// equal values the last in list order comes first.
void NumberLayouts(AppliedResult& result);
// "Left Quant" of every data row: its quantity less the sheets of the result cut
// from it (found by label, ignoring letter case).
void UpdateLeftQuant(const AppliedResult& result, CellTable& sgSheet);
