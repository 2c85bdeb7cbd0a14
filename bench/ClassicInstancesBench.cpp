#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "BenchInstances.h"
#include "ClassInstances.h"
#include "Sections.h"

namespace tarvex {

namespace {

struct Mode {
    const char* name;
    bool guillotine;
};

std::vector<Mode> ChosenModes(const BenchOptions& options) {
    std::vector<Mode> modes;
    for (const Mode m : {Mode{"guillotine", true}, Mode{"free", false}})
        if (options.modes.empty() || Listed(options.modes, m.name)) modes.push_back(m);
    return modes;
}

// The settings of the instances: blade 0, margins 0, sheets counted.
JobRows InstanceRows(std::vector<PartRow> parts, std::vector<SheetRow> sheets, bool guillotine) {
    JobRows rows;
    rows.parts = std::move(parts);
    rows.sheets = std::move(sheets);
    rows.settings = DefaultSettings();
    rows.settings.cut.bladeWidth = 0;
    rows.settings.cut.margins = {};
    rows.settings.cut.guillotine = guillotine;
    return rows;
}

double TimeLimit(const BenchOptions& options) {
    return options.timeLimit > 0 ? options.timeLimit : 5;
}

}  // namespace

void RunClassicInstancesSection(const BenchOptions& options, BenchReport& report) {
    const std::vector<Mode> modes = ChosenModes(options);
    const std::vector<BenchInstance> instances =
        ReadInstances(options.classicDir, options.instances);
    std::vector<std::string> columns{"instance"};
    for (const Mode& m : modes)
        for (const char* c : {"known", "classic", "best", "best s"})
            columns.push_back(std::string(m.name) + " " + c);
    BenchTable table(
        Format("Classic bin-packing instances: sheets, blade 0, seed %u, %d threads; "
               "classic at speed %d, best with a time limit of %.0f s",
               options.seed, options.threads, options.classicSpeed, TimeLimit(options)),
        columns);
    struct Totals {
        int known = 0, classic = 0, best = 0, classicEqual = 0, bestEqual = 0;
    };
    std::vector<Totals> totals(modes.size());
    for (const BenchInstance& instance : instances) {
        std::vector<std::string> row{instance.name};
        for (std::size_t m = 0; m < modes.size(); ++m) {
            const JobRows rows = InstanceRows(instance.parts, instance.sheets, modes[m].guillotine);
            const int known = modes[m].guillotine ? instance.knownGuillotine : instance.knownFree;
            const Outcome classic = Calculate(rows, Search::Classic, 0, options);
            const Outcome best = Calculate(rows, Search::Best, TimeLimit(options), options);
            BenchReport::Progress(Format("%s %s: known %d, classic %s, best %s",
                                         instance.name.c_str(), modes[m].name, known,
                                         SheetsText(classic).c_str(), SheetsText(best).c_str()));
            row.insert(row.end(), {std::to_string(known), SheetsText(classic), SheetsText(best),
                                   Format("%.2f", best.seconds)});
            Totals& t = totals[m];
            t.known += known;
            t.classic += classic.sheets;
            t.best += best.sheets;
            t.classicEqual += classic.ran && classic.allPlaced && classic.sheets <= known;
            t.bestEqual += best.ran && best.allPlaced && best.sheets <= known;
        }
        table.AddRow(row);
    }
    std::vector<std::string> sums{"all"}, equal{"equal to known"};
    for (const Totals& t : totals) {
        sums.insert(sums.end(), {std::to_string(t.known), std::to_string(t.classic),
                                 std::to_string(t.best), ""});
        const std::string of = "/" + std::to_string(instances.size());
        equal.insert(equal.end(), {"", std::to_string(t.classicEqual) + of,
                                   std::to_string(t.bestEqual) + of, ""});
    }
    table.AddRow(sums);
    table.AddRow(equal);
    table.AddNote("known: best known sheets (free; guillotine: 3-stage). \"!\": parts left over.");
    report.Add(table);
}

void RunGeneratedClassesSection(const BenchOptions& options, BenchReport& report) {
    const std::vector<Mode> modes = ChosenModes(options);
    const int perClass = options.perClass > 0 ? options.perClass : 3;
    BenchTable table(
        Format("Generated instances of the classic classes, %d per class and size: mean sheets, "
               "blade 0, seed %u, %d threads; classic at speed %d, best with a time limit of "
               "%.0f s; area bound = ceil(item area / bin area), bound = the program's lower "
               "bound of the job (\"-\" where it has none), best against the larger",
               perClass, options.seed, options.threads, options.classicSpeed, TimeLimit(options)),
        {"class", "items", "mode", "area bound", "bound", "classic", "best", "best % bound",
         "best = bound", "best s"});
    struct Sum {
        double areaBound = 0, programBound = 0, bound = 0, classic = 0, best = 0, seconds = 0;
        int atBound = 0, count = 0, leftOver = 0, programBounds = 0;
    };
    const auto row = [](const std::string& instanceClass, const std::string& items,
                        const char* mode, const Sum& sum) {
        const double n = sum.count;
        return std::vector<std::string>{
            instanceClass,
            items,
            mode,
            Format("%.2f", sum.areaBound / n),
            sum.programBounds == sum.count ? Format("%.2f", sum.programBound / n) : "-",
            Format("%.2f", sum.classic / n),
            Format("%.2f", sum.best / n) + (sum.leftOver ? "!" : ""),
            PercentOver(sum.best, sum.bound),
            std::to_string(sum.atBound) + "/" + std::to_string(sum.count),
            Format("%.2f", sum.seconds / n)};
    };
    std::map<std::string, Sum> overall;
    for (int instanceClass = 1; instanceClass <= 10; ++instanceClass)
        for (const int items : {20, 40})
            for (const Mode& mode : modes) {
                Sum sum;
                for (int k = 1; k <= perClass; ++k) {
                    const ClassInstance instance =
                        GenerateClassInstance(instanceClass, items, static_cast<std::uint32_t>(k));
                    const int side = instance.binSide;
                    const JobRows rows = InstanceRows(
                        instance.parts, {{"Bin", double(side), double(side), items, 0, true, 1}},
                        mode.guillotine);
                    const Outcome classic = Calculate(rows, Search::Classic, 0, options);
                    const Outcome best = Calculate(rows, Search::Best, TimeLimit(options), options);
                    const int areaBound = AreaBound(instance);
                    const bool programBound = best.boundInSheets && best.bound >= 0;
                    const double bound =
                        programBound ? std::max<double>(areaBound, best.bound) : areaBound;
                    BenchReport::Progress(Format(
                        "%s %s: bound %.0f, classic %s, best %s", instance.name.c_str(), mode.name,
                        bound, SheetsText(classic).c_str(), SheetsText(best).c_str()));
                    sum.areaBound += areaBound;
                    sum.programBound += programBound ? best.bound : 0;
                    sum.programBounds += programBound;
                    sum.bound += bound;
                    sum.classic += classic.sheets;
                    sum.best += best.sheets;
                    sum.seconds += best.seconds;
                    sum.atBound += best.allPlaced && best.sheets <= bound;
                    sum.leftOver += !classic.allPlaced + !best.allPlaced;
                    ++sum.count;
                }
                table.AddRow(
                    row(std::to_string(instanceClass), std::to_string(items), mode.name, sum));
                Sum& all = overall[mode.name];
                all.areaBound += sum.areaBound;
                all.programBound += sum.programBound;
                all.programBounds += sum.programBounds;
                all.bound += sum.bound;
                all.classic += sum.classic;
                all.best += sum.best;
                all.seconds += sum.seconds;
                all.atBound += sum.atBound;
                all.count += sum.count;
                all.leftOver += sum.leftOver;
            }
    for (const Mode& mode : modes) {
        const Sum& all = overall[mode.name];
        if (all.count > 0) table.AddRow(row("all", "", mode.name, all));
    }
    table.AddNote("\"!\": some run left parts over. A plan can be optimal above the area bound.");
    report.Add(table);
}

}  // namespace tarvex
