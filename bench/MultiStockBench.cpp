#include <map>
#include <string>
#include <vector>

#include "BenchInstances.h"
#include "Sections.h"

namespace tarvex {

namespace {

struct MultiInstance {
    std::string name;
    double lowerBound = 0;       // the least cost of sheets covering the part area
    double bestKnown2Stage = 0;  // with rotation
    JobRows rows;
};

std::vector<MultiInstance> ReadMultiInstances(const BenchOptions& options) {
    std::vector<MultiInstance> instances;
    const auto index = ReadRows(options.multiDir + "/index.csv", ',');
    for (std::size_t r = 1; r < index.size(); ++r) {
        const auto& f = index[r];
        if (f.size() < 7 || (options.instances != "all" && !Listed(options.instances, f[0])))
            continue;
        MultiInstance instance;
        instance.name = f[0];
        instance.lowerBound = std::atof(f[4].c_str());
        instance.bestKnown2Stage = std::atof(f[6].c_str());
        const std::string folder = options.multiDir + "/" + f[0];
        if (!ReadLists(folder + "/parts_rot.txt", folder + "/sheets.txt", instance.rows.parts,
                       instance.rows.sheets)) {
            std::fprintf(stderr, "bench: cannot read instance %s\n", folder.c_str());
            continue;
        }
        instances.push_back(std::move(instance));
    }
    return instances;
}

struct Mode {
    const char* name;
    bool guillotine;
    int stages;
};

}  // namespace

void RunMultiStockSection(const BenchOptions& options, BenchReport& report) {
    const std::vector<Mode> allModes{
        {"guillotine", true, 0}, {"free", false, 0}, {"stages2", true, 2}};
    std::vector<Mode> modes;
    for (const Mode& m : allModes)
        if (options.modes.empty() || Listed(options.modes, m.name)) modes.push_back(m);
    const std::vector<double> limits = options.timeLimit > 0
                                           ? std::vector<double>{options.timeLimit}
                                           : std::vector<double>{10, 30};
    const std::vector<MultiInstance> instances = ReadMultiInstances(options);

    BenchTable table(
        Format("Multi-stock instances: cost = sheet area, parts rotatable, blade 0, margins 0, "
               "seed %u, %d threads; classic at speed %d; %% over the best known 2-stage cost "
               "with rotation and over the area bound",
               options.seed, options.threads, options.classicSpeed),
        {"instance", "mode", "limit s", "classic cost", "classic %", "best cost", "best %",
         "best % lb", "best s"});
    // Per mode and limit: the sums of the best search's % over the best known and
    // over the area bound.
    struct Sum {
        double overKnown = 0, overBound = 0;
        int count = 0;
    };
    std::map<std::pair<std::string, double>, Sum> sums;
    std::map<std::string, std::pair<double, int>> classicSums;
    for (const MultiInstance& instance : instances) {
        JobRows rows = instance.rows;
        rows.settings = DefaultSettings();
        rows.settings.cut.costObjective = true;
        rows.settings.cut.bladeWidth = 0;
        rows.settings.cut.margins = {};
        // The classic search follows no stage limit: its guillotine plan stands for both.
        std::map<bool, Outcome> classic;
        for (const Mode& mode : modes) {
            rows.settings.cut.guillotine = mode.guillotine;
            rows.settings.cut.stages = mode.stages;
            if (!classic.count(mode.guillotine)) {
                JobRows plain = rows;
                plain.settings.cut.stages = 0;
                classic[mode.guillotine] = Calculate(plain, Search::Classic, 0, options);
                const Outcome& c = classic[mode.guillotine];
                classicSums[mode.guillotine ? "guillotine" : "free"].first +=
                    100 * (c.cost / instance.bestKnown2Stage - 1);
                ++classicSums[mode.guillotine ? "guillotine" : "free"].second;
            }
            const Outcome& c = classic[mode.guillotine];
            for (const double limit : limits) {
                const Outcome best = Calculate(rows, Search::Best, limit, options);
                BenchReport::Progress(Format("%s %s %.0f s: classic %.0f, best %.0f",
                                             instance.name.c_str(), mode.name, limit, c.cost,
                                             best.cost));
                const auto costText = [](const Outcome& o) {
                    return o.ran ? Format("%.0f", o.cost) + (o.allPlaced ? "" : "!")
                                 : SheetsText(o);
                };
                table.AddRow({instance.name, mode.name, Format("%.0f", limit), costText(c),
                              PercentOver(c.cost, instance.bestKnown2Stage), costText(best),
                              PercentOver(best.cost, instance.bestKnown2Stage),
                              PercentOver(best.cost, instance.lowerBound),
                              Format("%.1f", best.seconds)});
                Sum& sum = sums[{mode.name, limit}];
                sum.overKnown += 100 * (best.cost / instance.bestKnown2Stage - 1);
                sum.overBound += 100 * (best.cost / instance.lowerBound - 1);
                ++sum.count;
            }
        }
    }
    for (const Mode& mode : modes)
        for (const double limit : limits) {
            const auto found = sums.find({mode.name, limit});
            if (found == sums.end()) continue;
            const auto& c = classicSums[mode.guillotine ? "guillotine" : "free"];
            table.AddRow({"mean", mode.name, Format("%.0f", limit), "",
                          Format("%+.2f", c.first / c.second), "",
                          Format("%+.2f", found->second.overKnown / found->second.count),
                          Format("%+.2f", found->second.overBound / found->second.count), ""});
        }
    table.AddNote(
        "\"!\": parts left over. stages2: guillotine plans of at most two stages; the "
        "classic columns show its guillotine plan (it follows no stage limit).");
    report.Add(table);
}

}  // namespace tarvex
