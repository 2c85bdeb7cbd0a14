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
#include "export/ResultJson.h"
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

bool WriteOutputs(const CliOptions& o, const AppliedResult& result, const CellTable& sheetTable,
                  const CellTable& partTable, std::string& error) {
    if (!o.report.empty() &&
        !SaveReport(o.report, WriteReport(result, sheetTable, partTable), error))
        return false;
    if (!o.json.empty() && !WriteJson(o.json, ResultJson(result), error)) return false;
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
    if (!LoadJob(o, form, sheetTable, partTable, error)) return Fail(error);
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
    // With the JSON on stdout, everything meant for people goes to stderr.
    std::FILE* info = o.json == "-" ? stderr : stdout;
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
