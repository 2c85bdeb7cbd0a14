#include "cli/CliOptions.h"

namespace tarvex {

void DefineOptions(CLI::App& app, CliOptions& o) {
    app.add_option("project", o.project, "Project file (.dat): list files and settings");
    // Every option that shapes a calculation; a stored plan was calculated already.
    std::vector<CLI::Option*> calculation;
    calculation.push_back(app.add_option("--sheets", o.sheets,
                                         "Sheet list file (.txt, .sht, .xls, .xlsx, .csv), "
                                         "instead of the project's"));
    calculation.push_back(
        app.add_option("--parts", o.parts,
                       "Part list file (.txt, .prt, .xls, .xlsx, .csv), instead of the project's"));
    calculation.push_back(app.add_option(
        "--banding", o.banding,
        "Banding list file (NAME TAB THICKNESS TAB ALLOWANCE a line), instead of the "
        "project's NAME.banding.txt"));
    calculation.push_back(app.add_flag(
        "--finished-sizes", o.finishedSizes,
        "The part sizes are finished sizes: cut each part smaller by its banding's thickness"));
    calculation.push_back(
        app.add_option("--seed", o.seed, "Random seed; the same seed gives the same plan"));
    calculation.push_back(
        app.add_option("--threads", o.threads, "Evaluation threads; 0 uses every core")
            ->check(CLI::NonNegativeNumber));
    calculation.push_back(
        app.add_option("--speed", o.speed, "Speed/quality from 1 (fastest) to 12 (best)")
            ->check(CLI::Range(1, 12)));
    calculation.push_back(
        app.add_option("--search", o.search,
                       "Search method: classic (the default) or best, which goes on from the "
                       "classic plan with all the stock")
            ->check(CLI::IsMember({"classic", "best"})));
    calculation.push_back(
        app.add_option(
               "--time-limit", o.timeLimit,
               "Seconds the best search calculation runs, its classic start included (default 10)")
            ->check(CLI::PositiveNumber));
    calculation.push_back(
        app.add_option("--iterations", o.iterations,
                       "Steps of the best search instead of a time limit: the plan then does not "
                       "depend on --threads")
            ->check(CLI::PositiveNumber));
    calculation.push_back(
        app.add_option("--stages", o.stages,
                       "Most stages of cuts of a guillotine plan: 2, 3 or any (the default); a "
                       "limit selects the best search")
            ->check(CLI::IsMember({"2", "3", "any"})));
    calculation.push_back(
        app.add_option("--first-cut", o.firstCut,
                       "Direction of the first stage of a guillotine plan: length (cuts along the "
                       "sheet's length), width or any (the default); a direction selects the best "
                       "search")
            ->check(CLI::IsMember({"length", "width", "any"})));
    auto* guillotine = app.add_flag("--guillotine", o.guillotine, "Guillotine cuts only");
    calculation.push_back(guillotine);
    calculation.push_back(
        app.add_flag("--free", o.freePlacement, "Free placement")->excludes(guillotine));
    calculation.push_back(
        app.add_flag("--cost", o.cost, "Optimize the cost of the sheets instead of their area"));
    calculation.push_back(app.add_option("--blade", o.blade, "Blade width"));
    calculation.push_back(
        app.add_option("--margins", o.margins, "Sheet margins TOP,BOTTOM,LEFT,RIGHT")
            ->delimiter(',')
            ->expected(4));
    calculation.push_back(app.add_option("--min-offcut", o.minOffcut,
                                         "Smallest offcut worth keeping LENGTH,WIDTH,AREA")
                              ->delimiter(',')
                              ->expected(3));
    app.add_option("--prefix", o.prefix, "Label prefix of exported offcuts");
    app.add_option("--unit", o.unit,
                   "Length unit: mm, cm, m, in (inches, read also as fractions) or any text "
                   "shown beside the numbers");
    app.add_option("--fractions", o.fractions,
                   "Show lengths in inches as fractions to 1/16 or 1/32 in (needs --unit in or "
                   "a project in inches)")
        ->check(CLI::IsMember({16, 32}));
    app.add_option("--lang", o.lang, "Language of the messages and the report, e.g. zh_cn");
    app.add_option("--report", o.report, "Write the report to this file");
    app.add_option("--json", o.json,
                   "Write the result as JSON to this file, or - for stdout; it is also a "
                   "stored plan (--plan)");
    auto* plan = app.add_option("--plan", o.plan,
                                "Write the outputs of a stored plan (PROJECT.plan.json, or the "
                                "--json of an earlier run) without calculating");
    for (CLI::Option* option : calculation) plan->excludes(option);
    app.add_option("--left", o.left, "Write the sheets left over as a sheet list");
    DefineExportOptions(app, o.exports);
    app.add_flag("--quiet", o.quiet, "No progress bar, outcome or ratios");
    app.set_version_flag("--version", std::string("tarvex-cli ") + TARVEX_VERSION,
                         "Print the version and exit");
}

}  // namespace tarvex
