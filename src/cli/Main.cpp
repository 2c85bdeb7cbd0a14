// tarvex-cli: one whole calculation without a window, with the same code as the
// window, for scripts and batch runs.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "cli/CliOptions.h"
#include "cli/JobFiles.h"
#include "cli/ProgressBar.h"
#include "export/Report.h"
#include "export/StoredPlan.h"
#include "io/InputClash.h"
#include "io/ListFiles.h"
#include "io/OutcomeText.h"
#include "io/OutputFile.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "job/Calculation.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::atomic<bool> stopRequested{false};

// The first Ctrl-C ends the search after the current generation and the best plan
// so far is written out; a second one ends the program at once.
void OnInterrupt(int) {
    stopRequested.store(true);
    std::signal(SIGINT, SIG_DFL);
}

int Fail(const std::string& message, int code = kExitBadInput) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return code;
}

// Every output the options name, export patterns as given.
std::vector<std::string> OutputNames(const CliOptions& o) {
    const ExportOptions& e = o.exports;
    return {o.report, o.json, o.left, e.pdf, e.labels, e.dxf, e.gcode, e.html, e.offcuts, e.svg};
}

// Checked before anything is written: a run must not destroy what it was read from.
bool CheckOutputs(const CliOptions& o, int layoutCount, const std::vector<std::string>& inputs,
                  std::string& error) {
    std::vector<std::string> outputs = ExportPaths(o.exports, layoutCount);
    outputs.insert(outputs.end(), {o.report, o.json, o.left});
    for (const std::string& output : outputs)
        if (!(error = OutputIsInput(output, inputs)).empty()) return false;
    return true;
}

// Everything asked of the plan: report, JSON (a stored plan), stock left, the
// exports of its layouts and its documents.
int WriteOutputs(const CliOptions& o, const StoredPlan& plan, const OutputChoices& choices,
                 const std::vector<std::string>& inputs, std::FILE* info) {
    const AppliedResult& result = *plan.result;
    std::string error;
    if (!CheckOutputs(o, result.LayoutCount(), inputs, error)) return Fail(error);
    const std::vector<std::string> report = WriteReport(result);
    if (!o.report.empty() && !SaveReport(o.report, report, error)) return Fail(error);
    if (!o.json.empty() && !WriteFileAtomic(o.json, StoredPlanJson(plan), error))
        return Fail(error);
    if (!o.left.empty()) {
        const ListResult left = SaveLeftSheets(o.left, EnteredSheetTable(result));
        if (!left.ok) return Fail(left.message);
    }
    std::FILE* written = o.quiet ? nullptr : info;
    if (!WriteExports(o.exports, result, choices, written, error) ||
        !WritePlanDocuments(o.exports, result, report, choices, written, error))
        return Fail(error);
    return result.allPlaced ? kExitAllPlaced : kExitSomeNotPlaced;
}

void PrintOutcome(const CliOptions& o, const std::string& message, const AppliedResult& result,
                  std::FILE* info) {
    if (o.quiet) {
        // Why parts were left out is an error, which quiet does not silence.
        if (!result.allPlaced) std::fprintf(stderr, "%s\n", message.c_str());
        return;
    }
    std::fprintf(info, "%s\n", message.c_str());
    for (const std::string& line : RatioLines(result)) std::fprintf(info, "%s\n", line.c_str());
}

// The plan of the tables and settings, calculated; an exit code when there is none.
int Calculate(const CliOptions& o, const JobSettings& settings, CellTable& sheetTable,
              CellTable& partTable, std::FILE* info, StoredPlan& plan) {
    Calculation calc;
    if (auto ended = PrepareFromTables(calc, settings, sheetTable, partTable))
        return Fail(OutcomeText(*ended), ended->status == CalcOutcome::Status::AreaRefused
                                             ? kExitRefused
                                             : kExitBadInput);
    {
        ProgressBar bar(info, calc.MaxGenerationsOfPrepared(), !o.quiet);
        GaOptions ga;
        ga.seed = o.seed;
        ga.threads = o.threads;
        ga.progress = [&bar] { bar.Step(); };
        ga.stop = &stopRequested;
        std::signal(SIGINT, OnInterrupt);
        calc.Optimize(
            ga, [&bar](int pass) { bar.StartPass(pass); },
            [&bar](const BestProgress& best) { bar.ShowBest(best); });
        std::signal(SIGINT, SIG_DFL);
    }
    const CalcOutcome outcome = FinishIntoTables(calc, sheetTable);
    if (outcome.status == CalcOutcome::Status::PlanRejected)
        return Fail(OutcomeText(outcome), kExitPlanRejected);
    plan = {calc.AppliedShared(), o.seed.has_value()};
    PrintOutcome(o, OutcomeText(outcome), *plan.result, info);
    return kExitAllPlaced;
}

// A stored plan with the command line's CNC, prefix and unit options over its own.
int ReadPlan(const CliOptions& o, StoredPlan& plan, std::FILE* info) {
    std::string error;
    if (!ReadStoredPlan(o.plan, plan, error)) return Fail(error);
    auto result = std::make_shared<AppliedResult>(*plan.result);
    if (!ApplySettingOptions(o, result->settings, error)) return Fail(error);
    plan.result = std::move(result);
    // Worded as the outcome of the calculation that made it.
    CalcOutcome made;
    made.status = CalcOutcome::Status::Applied;
    made.allPlaced = plan.result->allPlaced;
    PrintOutcome(o, OutcomeText(made), *plan.result, info);
    return kExitAllPlaced;
}

int Run(const CliOptions& o, char* program) {
    const auto painting = StartPainting(o.exports, program);
    SetLanguage(o.lang);
    std::string error;
    if (!CheckExportOptions(o.exports, error)) return Fail(error);
    SettingsForm form;
    CellTable sheetTable, partTable;
    std::vector<std::string> inputs;
    // A stored plan takes the project only for how its outputs look.
    if ((o.plan.empty() || !o.project.empty()) &&
        !LoadJob(o, form, sheetTable, partTable, inputs, error))
        return Fail(error);
    JobSettings settings;
    InputFault fault;
    if (!ReadJobSettings(form, settings, fault)) return Fail(FaultText(fault));
    if (!ApplySettingOptions(o, settings, error)) return Fail(error);
    // The offcut lists are named with the prefix the form holds when they are written.
    if (o.prefix) form.offcutPrefix = *o.prefix;
    OutputChoices choices = OutputChoicesOf(form);
    ApplyViewOptions(o.exports, choices);
    if (!o.plan.empty()) inputs.push_back(o.plan);
    // With an output on stdout, everything meant for people goes to stderr.
    const std::vector<std::string> names = OutputNames(o);
    std::FILE* info = std::find(names.begin(), names.end(), "-") != names.end() ? stderr : stdout;
    StoredPlan plan;
    const int got = o.plan.empty() ? Calculate(o, settings, sheetTable, partTable, info, plan)
                                   : ReadPlan(o, plan, info);
    if (got != kExitAllPlaced) return got;
    return WriteOutputs(o, plan, choices, inputs, info);
}

}  // namespace

int Main(int argc, char** argv) {
    CLI::App app{"Plans the cutting of rectangular parts out of stock sheets.", "tarvex-cli"};
    CliOptions options;
    DefineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitAllPlaced : kExitBadInput;
    }
    return Run(options, argv[0]);
}

}  // namespace tarvex

int main(int argc, char** argv) {
    return tarvex::Main(argc, argv);
}
