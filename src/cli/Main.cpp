// tarvex-cli: one whole calculation without a window, with the same code as the
// window, for scripts and batch runs.
#include <CLI/CLI.hpp>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/CliOptions.h"
#include "cli/JobFiles.h"
#include "cli/ProgressBar.h"
#include "export/Report.h"
#include "export/StoredPlan.h"
#include "io/ListFiles.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "io/TextFile.h"
#include "job/Calculation.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

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

bool WriteJson(const std::string& target, const std::string& json, std::string& error) {
    if (target != "-") return WriteFileAtomic(target, json, error);
    // A large write goes past the buffer, so its own count is the first sign of a full
    // disk; the flush reports what stayed buffered.
    const bool written = std::fwrite(json.data(), 1, json.size(), stdout) == json.size();
    if (written && std::fflush(stdout) == 0) return true;
    error =
        Substitute(_("Cannot write the result to standard output: {1}"), {std::strerror(errno)});
    return false;
}

// Everything asked of the plan: report, JSON (a stored plan), stock left, the
// exports of its layouts and its documents.
int WriteOutputs(const CliOptions& o, const StoredPlan& plan, const SettingsForm& form,
                 std::FILE* info) {
    const AppliedResult& result = *plan.result;
    const std::vector<std::string> report = WriteReport(result, plan.sheetTable, plan.partTable);
    std::string error;
    if (!o.report.empty() && !SaveReport(o.report, report, error)) return Fail(error);
    if (!o.json.empty() && !WriteJson(o.json, StoredPlanJson(plan), error)) return Fail(error);
    if (!o.left.empty()) {
        const ListResult left = SaveLeftSheets(o.left, plan.sheetTable);
        if (!left.ok) return Fail(left.message);
    }
    std::FILE* written = o.quiet ? nullptr : info;
    if (!WriteExports(o.exports, result, plan.partTable, form, written, error) ||
        !WritePlanDocuments(o.exports, result, report, plan.partTable, form, written, error))
        return Fail(error);
    return result.allPlaced ? kExitAllPlaced : kExitSomeNotPlaced;
}

void PrintOutcome(const CliOptions& o, const std::string& message, const AppliedResult& result,
                  std::FILE* info) {
    if (o.quiet) return;
    std::fprintf(info, "%s\n", message.c_str());
    for (const std::string& line : RatioLines(result)) std::fprintf(info, "%s\n", line.c_str());
}

// The plan of the tables and settings, calculated; an exit code when there is none.
int Calculate(const CliOptions& o, const JobSettings& settings, CellTable& sheetTable,
              CellTable& partTable, std::FILE* info, StoredPlan& plan) {
    Calculation calc;
    if (auto ended = PrepareFromTables(calc, settings, sheetTable, partTable))
        return Fail(ended->message, ended->status == CalcOutcome::Status::AreaRefused
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
        calc.Optimize(ga, [&bar](int pass) { bar.StartPass(pass); },
                      [&bar](const BestProgress& best) { bar.ShowBest(best); });
        std::signal(SIGINT, SIG_DFL);
    }
    const CalcOutcome outcome = FinishIntoTables(calc, sheetTable);
    if (outcome.status == CalcOutcome::Status::PlanRejected)
        return Fail(outcome.message, kExitPlanRejected);
    plan = {calc.AppliedShared(), sheetTable, partTable};
    PrintOutcome(o, outcome.message, *plan.result, info);
    return kExitAllPlaced;
}

// A stored plan with the command line's CNC, prefix and unit options over its own.
int ReadPlan(const CliOptions& o, StoredPlan& plan, std::FILE* info) {
    std::string error;
    if (!ReadStoredPlan(o.plan, plan, error)) return Fail(error);
    auto result = std::make_shared<AppliedResult>(*plan.result);
    if (!ApplySettingOptions(o, result->settings, error)) return Fail(error);
    plan.result = std::move(result);
    PrintOutcome(o,
                 plan.result->allPlaced
                     ? _("Congratulations! All parts nesting is completed!")
                     : _("Sheets area of less than, some of the parts can not be completed "
                         "nesting!"),
                 *plan.result, info);
    return kExitAllPlaced;
}

int Run(const CliOptions& o, char* program) {
    const auto painting = StartPainting(o.exports, program);
    SetLanguage(o.lang);
    std::string error;
    if (!CheckExportOptions(o.exports, error)) return Fail(error);
    SettingsForm form;
    CellTable sheetTable, partTable;
    // A stored plan takes the project only for how its outputs look.
    if ((o.plan.empty() || !o.project.empty()) &&
        !LoadJob(o, form, sheetTable, partTable, error))
        return Fail(error);
    JobSettings settings;
    if (!ReadJobSettings(form, settings, error) || !ApplySettingOptions(o, settings, error))
        return Fail(error);
    ApplyViewOptions(o.exports, form);
    // The offcut lists are named with the prefix the form holds when they are written.
    if (o.prefix) form.offcutPrefix = *o.prefix;
    // With the JSON on stdout, everything meant for people goes to stderr.
    std::FILE* info = o.json == "-" ? stderr : stdout;
    StoredPlan plan;
    const int got = o.plan.empty() ? Calculate(o, settings, sheetTable, partTable, info, plan)
                                   : ReadPlan(o, plan, info);
    if (got != kExitAllPlaced) return got;
    return WriteOutputs(o, plan, form, info);
}

}  // namespace

int main(int argc, char** argv) {
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
