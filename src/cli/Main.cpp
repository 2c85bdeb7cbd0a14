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
#include "export/ResultJson.h"
#include "io/InputClash.h"
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

bool WriteOutputs(const CliOptions& o, const AppliedResult& result, const CellTable& sheetTable,
                  const CellTable& partTable, std::string& error) {
    if (!o.report.empty() &&
        !SaveReport(o.report, WriteReport(result, sheetTable, partTable), error))
        return false;
    if (!o.json.empty() && !WriteFileAtomic(o.json, ResultJson(result), error)) return false;
    if (!o.left.empty()) {
        const ListResult left = SaveLeftSheets(o.left, sheetTable);
        if (!left.ok) {
            error = left.message;
            return false;
        }
    }
    return true;
}

int Run(const CliOptions& o, char* program) {
    const auto painting = StartPainting(o.exports, program);
    SetLanguage(o.lang);
    std::string error;
    if (!CheckExportOptions(o.exports, error)) return Fail(error);
    SettingsForm form;
    CellTable sheetTable, partTable;
    std::vector<std::string> inputs;
    if (!LoadJob(o, form, sheetTable, partTable, inputs, error)) return Fail(error);
    JobSettings settings;
    if (!ReadJobSettings(form, settings, error) || !ApplySettingOptions(o, settings, error))
        return Fail(error);
    ApplyViewOptions(o.exports, form);
    // The offcut lists are named with the prefix the form holds when they are written.
    if (o.prefix) form.offcutPrefix = *o.prefix;
    Calculation calc;
    if (auto ended = PrepareFromTables(calc, settings, sheetTable, partTable))
        return Fail(ended->message, ended->status == CalcOutcome::Status::AreaRefused
                                        ? kExitRefused
                                        : kExitBadInput);
    // With an output on stdout, everything meant for people goes to stderr.
    const std::vector<std::string> names = OutputNames(o);
    std::FILE* info = std::find(names.begin(), names.end(), "-") != names.end() ? stderr : stdout;
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
    if (!CheckOutputs(o, calc.Applied()->LayoutCount(), inputs, error)) return Fail(error);
    if (!o.quiet) {
        std::fprintf(info, "%s\n", outcome.message.c_str());
        for (const std::string& line : RatioLines(*calc.Applied()))
            std::fprintf(info, "%s\n", line.c_str());
    }
    if (!WriteOutputs(o, *calc.Applied(), sheetTable, partTable, error)) return Fail(error);
    std::FILE* written = o.quiet ? nullptr : info;
    if (!WriteExports(o.exports, *calc.Applied(), partTable, form, written, error) ||
        !WritePlanDocuments(o.exports, *calc.Applied(),
                            WriteReport(*calc.Applied(), sheetTable, partTable), partTable, form,
                            written, error))
        return Fail(error);
    return outcome.allPlaced ? kExitAllPlaced : kExitSomeNotPlaced;
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
