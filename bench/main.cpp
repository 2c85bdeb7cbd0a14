// The benchmark program: each section named on the command line runs alone and
// prints its tables; --markdown writes them as Markdown for the README as well.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "EngineBench.h"
#include "OptimizerBench.h"
#include "Sections.h"
#include "io/OutputFile.h"

namespace tarvex {

namespace {

struct Section {
    const char* help;
    std::function<void(const BenchOptions&, BenchReport&)> run;
};

const std::map<std::string, Section>& Sections() {
    static const std::map<std::string, Section> sections{
        {"engine",
         {"layout engine against the reference engine (its own table, no Markdown)",
          [](const BenchOptions&, BenchReport&) { RunEngineBench(); }}},
        {"optimizer",
         {"classic search runs (settings in bench/OptimizerBench.h; no Markdown)",
          [](const BenchOptions&, BenchReport&) { RunOptimizerBench(); }}},
        {"multi",
         {"multi-stock instances, cost against the best known (10 and 30 s)",
          RunMultiStockSection}},
        {"instances", {"the 20 classic bin-packing instances (5 s)", RunClassicInstancesSection}},
        {"generated",
         {"generated instances of classes 1-10 against the area bound (5 s)",
          RunGeneratedClassesSection}},
        {"cabinets",
         {"generated kitchen and wardrobe jobs, best against classic (10 s)", RunCabinetSection}},
        {"large", {"a 5,000-part job with three board sizes (60 s)", RunLargeSection}},
        {"huge",
         {"a 100,000-part job: time and peak memory of each search (60 s)", RunHugeSection}},
    };
    return sections;
}

}  // namespace

int Main(int argc, char** argv) {
    std::string sectionHelp = "Sections to run, in the order given:";
    for (const auto& [name, section] : Sections())
        sectionHelp += "\n  " + name + ": " + section.help;
    CLI::App app{"Benchmarks of the layout engine and the searches.", "tarvex-bench"};
    std::vector<std::string> chosen;
    BenchOptions options;
    std::string markdown;
    app.add_option("sections", chosen, sectionHelp)->required();
    app.add_option("--markdown", markdown, "Also write the tables as Markdown to this file");
    app.add_option("--threads", options.threads, "Threads of every search (2)")
        ->check(CLI::Range(1, 64));
    app.add_option("--seed", options.seed, "Seed of every search (1)");
    app.add_option("--classic-speed", options.classicSpeed,
                   "Speed of the classic search compared with (12)")
        ->check(CLI::Range(1, 12));
    app.add_option("--best-speed", options.bestSpeed,
                   "Speed of the best search's classic start (the command line's default)")
        ->check(CLI::Range(1, 12));
    app.add_option("--time-limit", options.timeLimit,
                   "Time limit of the best search, seconds (each section's own)")
        ->check(CLI::PositiveNumber);
    app.add_option("--modes", options.modes,
                   "Comma list of modes: guillotine, free, stages2 (multi only)");
    app.add_option("--instances", options.instances,
                   "Comma list of instance names of multi and instances, or all");
    app.add_option("--multi-dir", options.multiDir, "Folder of the multi-stock instances");
    app.add_option("--classic-dir", options.classicDir, "Folder of the classic instances");
    app.add_option("--jobs", options.jobs, "Cabinet jobs (20)")->check(CLI::PositiveNumber);
    app.add_option("--per-class", options.perClass, "Generated instances per class and size (3)")
        ->check(CLI::PositiveNumber);
    app.add_option("--parts", options.parts, "Parts of the large or huge job (5,000; 100,000)")
        ->check(CLI::Range(1, 100000));
    CLI11_PARSE(app, argc, argv);
    for (const std::string& name : chosen)
        if (!Sections().count(name)) {
            std::fprintf(stderr, "tarvex-bench: no section \"%s\"\n%s\n", name.c_str(),
                         sectionHelp.c_str());
            return 1;
        }

    BenchReport report(!markdown.empty());
    for (const std::string& name : chosen) Sections().at(name).run(options, report);
    std::string error;
    if (!markdown.empty() && !WriteFileAtomic(markdown, report.Markdown(), error)) {
        std::fprintf(stderr, "tarvex-bench: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace tarvex

int main(int argc, char** argv) {
    return tarvex::Main(argc, argv);
}
