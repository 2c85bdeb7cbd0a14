// Whole runs: reproducibility over thread counts and over searches running side
// by side, ending, progress and odd jobs.
#include <atomic>
#include <cstdio>
#include <latch>
#include <optional>
#include <random>
#include <sstream>
#include <thread>

#include "JobFixture.h"
#include "optimizer/Random.h"

using namespace tarvex;

namespace {

void Write(std::ostringstream& out, double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%a ", v);
    out << text;
}

void Write(std::ostringstream& out, const PartSpot& p) {
    for (double v : {p.x, p.y}) Write(out, v);
    out << p.part << ' ' << int(p.rotated) << "; ";
}

void Write(std::ostringstream& out, const Offcut& o) {
    for (double v : {o.x, o.y, o.length, o.width}) Write(out, v);
    out << "; ";
}

// Everything a run leaves in one candidate: genes, scores and layouts.
std::string Fingerprint(const Agent& agent) {
    std::ostringstream out;
    for (const auto* genes : {&agent.sheetOrder, &agent.partOrder, &agent.turn, &agent.turnable}) {
        for (auto g : *genes) out << g << ',';
        out << '|';
    }
    Write(out, agent.fitness);
    Write(out, agent.bestSheetUse);
    out << agent.usedSheets << ' ' << int(agent.decoded) << '\n';
    for (const SheetLayout& s : agent.sheets) {
        out << "sheet " << s.id << ' ';
        Write(out, s.utilisation);
        for (const PartSpot& p : agent.PartsOn(s)) Write(out, p);
        out << " offcuts ";
        for (const Offcut& o : agent.OffcutsOn(s)) Write(out, o);
        out << '\n';
    }
    return out.str();
}

struct Outcome {
    std::string plan;
    std::uint32_t seed = 0;
    int generations = 0;
    int progressCalls = 0;
};

struct RunSetup {
    int threads = 1;
    std::optional<std::uint32_t> seed;
    int maxGenerations = 2;
    const std::atomic<bool>* stop = nullptr;
    int stopAfterProgress = -1;
};

// A whole search of the job; the plan holds both populations.
Outcome RunWith(const Job& job, const CutSettings& settings, const RunSetup& setup) {
    Outcome outcome;
    std::atomic<bool> ownStop{false};
    GaOptions options;
    options.maxGenerations = setup.maxGenerations;
    options.seed = setup.seed;
    options.threads = setup.threads;
    options.stop = setup.stop ? setup.stop : &ownStop;
    options.progress = [&] {
        if (++outcome.progressCalls == setup.stopAfterProgress) ownStop = true;
    };
    GA ga(job, settings, options);
    ga.Run();
    for (int i = 0; i < GA::kPopulation; ++i) outcome.plan += Fingerprint(ga.Candidate(i));
    for (int i = 0; i < GA::kPopulation; ++i) outcome.plan += Fingerprint(ga.Offspring(i));
    outcome.seed = ga.Seed();
    outcome.generations = ga.GenerationsRun();
    return outcome;
}

// A job of `kinds` generated part rows on two kinds of stock, the first of them
// used first, its sheets limited as job input limits them. Its part ids start
// where those of a later job of a session might.
Job GeneratedJob(const CutSettings& settings, std::uint32_t seed, int kinds) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(80, 1100), width(50, 650), pieces(1, 5);
    std::vector<PartRow> parts;
    for (int k = 0; k < kinds; ++k)
        parts.push_back(TestPart(static_cast<double>(length(random)),
                                 static_cast<double>(width(random)), pieces(random),
                                 random() % 4 != 0, "G" + std::to_string(k)));
    return MakeJob(settings, parts,
                   {TestSheet(2440, 1220, 3, 120, true), TestSheet(1830, 915, 20, 60)},
                   SheetLimit::AsJobInput, 1000 * static_cast<std::int32_t>(seed % 7));
}

}  // namespace

using WholeRun = JobTest;

TEST_F(WholeRun, SameSeedGivesTheSamePlanOnAnyNumberOfThreads) {
    struct Variant {
        bool guillotine;
        bool cost;
        double kerf;
        double margin;
    };
    for (const Variant& variant : {Variant{false, false, 0, 0}, Variant{true, false, 3, 5},
                                   Variant{false, true, 2, 0}, Variant{true, true, 0, 10}}) {
        settings = CutSettings{};
        settings.guillotine = variant.guillotine;
        settings.costObjective = variant.cost;
        settings.bladeWidth = variant.kerf;
        settings.margins = {variant.margin, variant.margin, variant.margin, variant.margin};
        settings.minOffcutLength = settings.minOffcutWidth = 10;
        settings.minOffcutArea = 150;
        BuildJob({TestPart(600, 400, 5), TestPart(350, 300, 7, false), TestPart(720, 560, 3),
                  TestPart(200, 90, 12), TestPart(1200, 300, 2, false), TestPart(450, 450, 4)},
                 {TestSheet(2440, 1220, 2, 120, true), TestSheet(1830, 915, 8, 60)},
                 SheetLimit::AsJobInput);
        for (std::uint32_t seed : {1u, 77u, 4242u}) {
            const Outcome one = RunWith(job, settings, {1, seed, 22});
            const Outcome two = RunWith(job, settings, {2, seed, 22});
            const Outcome eight = RunWith(job, settings, {8, seed, 22});
            EXPECT_EQ(one.seed, seed);
            EXPECT_GT(one.generations, 0);
            EXPECT_EQ(two.generations, one.generations);
            EXPECT_EQ(eight.generations, one.generations);
            EXPECT_TRUE(two.plan == one.plan)
                << "seed " << seed << " guillotine " << variant.guillotine;
            EXPECT_TRUE(eight.plan == one.plan) << "seed " << seed << " cost " << variant.cost;
        }
    }
}

TEST_F(WholeRun, SearchesSideBySideGiveThePlansTheyGiveAlone) {
    // Two jobs that differ in everything a search reads: the placement, the blade,
    // the margins, the smallest offcut, the objective, the records and the seed.
    CutSettings guillotine;
    guillotine.guillotine = true;
    guillotine.bladeWidth = 4;
    guillotine.margins = {10, 10, 10, 10};
    guillotine.minOffcutLength = guillotine.minOffcutWidth = 20;
    guillotine.minOffcutArea = 600;
    CutSettings free;
    free.bladeWidth = 1.5;
    free.margins = {0, 5, 2, 0};
    free.minOffcutLength = free.minOffcutWidth = 8;
    free.costObjective = true;

    for (std::uint32_t round : {1u, 2u, 3u}) {
        const Job jobA = GeneratedJob(guillotine, 10 + round, 14);
        const Job jobB = GeneratedJob(free, 20 + round, 17);
        const RunSetup setupA{2, 100 + round, 22};
        const RunSetup setupB{2, 200 + round, 22};
        const Outcome aloneA = RunWith(jobA, guillotine, setupA);
        const Outcome aloneB = RunWith(jobB, free, setupB);
        // Plans that differ, so that a search taking anything of the other shows.
        ASSERT_NE(aloneA.plan, aloneB.plan);

        Outcome togetherA, togetherB;
        std::latch start(2);
        std::thread a([&] {
            start.arrive_and_wait();
            togetherA = RunWith(jobA, guillotine, setupA);
        });
        std::thread b([&] {
            start.arrive_and_wait();
            togetherB = RunWith(jobB, free, setupB);
        });
        a.join();
        b.join();
        EXPECT_EQ(togetherA.generations, aloneA.generations) << "round " << round;
        EXPECT_EQ(togetherB.generations, aloneB.generations) << "round " << round;
        EXPECT_TRUE(togetherA.plan == aloneA.plan) << "guillotine job, round " << round;
        EXPECT_TRUE(togetherB.plan == aloneB.plan) << "free job, round " << round;
    }
}

TEST_F(WholeRun, ClockSeededRunIsReproducedFromItsSeed) {
    BuildJob({TestPart(600, 400, 5), TestPart(350, 300, 7), TestPart(720, 560, 3)},
             {TestSheet(2440, 1220, 6)});
    const Outcome clocked = RunWith(job, settings, {2, std::nullopt, 5});
    const Outcome again = RunWith(job, settings, {1, clocked.seed, 5});
    EXPECT_EQ(again.seed, clocked.seed);
    EXPECT_TRUE(again.plan == clocked.plan);
}

TEST_F(WholeRun, StagnantSearchEndsAfterNineGenerations) {
    // Every candidate lays out the single part the same way.
    BuildJob({TestPart(50, 50)}, {TestSheet(100, 100)});
    const Outcome outcome = RunWith(job, settings, {2, 3, 44});
    EXPECT_EQ(outcome.generations, 9);
    EXPECT_EQ(outcome.progressCalls, 8);
}

TEST_F(WholeRun, ShortRunReportsEveryGeneration) {
    BuildJob({TestPart(50, 50, 3)}, {TestSheet(100, 100, 2)});
    const Outcome outcome = RunWith(job, settings, {2, 3, 5});
    EXPECT_EQ(outcome.generations, 5);
    EXPECT_EQ(outcome.progressCalls, 5);
}

TEST_F(WholeRun, StopRequestEndsAfterTheCurrentGeneration) {
    BuildJob({TestPart(600, 400, 5), TestPart(350, 300, 7), TestPart(720, 560, 3)},
             {TestSheet(2440, 1220, 6)});
    std::atomic<bool> stop{false};
    int calls = 0;
    GaOptions options;
    options.maxGenerations = 44;
    options.seed = 6;
    options.threads = 2;
    options.stop = &stop;
    options.progress = [&] {
        if (++calls == 2) stop = true;
    };
    GA ga(job, settings, options);
    ga.Run();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ga.GenerationsRun(), 3);
    // Slot 0 holds the best of the ranked main population, with its layouts; the
    // merge may have put better offspring into the weaker half since.
    for (int i = 1; i < GA::kPopulation / 2; ++i) EXPECT_FALSE(Better(ga.Candidate(i), ga.Best()));
    EXPECT_GT(ga.Best().fitness, 0);
    std::size_t placed = 0;
    for (const SheetLayout& s : ga.Best().sheets) placed += ga.Best().PartsOn(s).size();
    EXPECT_EQ(placed, 15u);
}

TEST_F(WholeRun, FindsTheTurnsAJobNeeds) {
    // Each part fits a sheet only when turned.
    BuildJob({TestPart(30, 100, 3)}, {TestSheet(100, 30, 3)});
    GaOptions options;
    options.maxGenerations = 11;
    options.seed = 12;
    options.threads = 1;
    GA ga(job, settings, options);
    ga.Run();
    Agent& best = ga.Best();
    EXPECT_DOUBLE_EQ(best.fitness, 1.0);
    EXPECT_EQ(best.usedSheets, 3);
    EXPECT_TRUE(AllPartsPlaced(best, job.PartCount()));
}

TEST_F(WholeRun, FixedPartsAreNeverTurned) {
    BuildJob({TestPart(600, 400, 6, false), TestPart(300, 200, 9, false)},
             {TestSheet(1220, 2440, 3)});
    GaOptions options;
    options.maxGenerations = 11;
    options.seed = 21;
    options.threads = 2;
    GA ga(job, settings, options);
    ga.Run();
    for (int i = 0; i < GA::kPopulation; ++i) {
        for (const Agent* agent : {&ga.Candidate(i), &ga.Offspring(i)}) {
            for (auto t : agent->turn) EXPECT_EQ(t, 0);
            for (const PartSpot& p : agent->spots) EXPECT_FALSE(p.rotated);
        }
    }
    EXPECT_GT(ga.Best().fitness, 0);
}

TEST_F(WholeRun, OneSheetJob) {
    BuildJob({TestPart(600, 400, 4), TestPart(300, 200, 5)}, {TestSheet(2440, 1220)});
    GaOptions options;
    options.maxGenerations = 11;
    options.seed = 2;
    options.threads = 2;
    GA ga(job, settings, options);
    ga.Run();
    EXPECT_EQ(ga.Best().sheetOrder, std::vector<std::int32_t>{0});
    EXPECT_EQ(ga.Best().usedSheets, 1);
}

TEST_F(WholeRun, EmptyJobsEndWithoutAPlan) {
    for (bool noParts : {true, false}) {
        for (bool noSheets : {true, false}) {
            if (!noParts && !noSheets) continue;
            BuildJob(
                noParts ? std::vector<PartRow>{} : std::vector<PartRow>{TestPart(10, 10, 2)},
                noSheets ? std::vector<SheetRow>{} : std::vector<SheetRow>{TestSheet(100, 100, 2)});
            GaOptions options;
            options.maxGenerations = 11;
            options.seed = 1;
            options.threads = 2;
            GA ga(job, settings, options);
            ga.Run();
            EXPECT_EQ(ga.Best().fitness, 0);
            EXPECT_EQ(ga.Best().usedSheets, 0);
            EXPECT_LE(ga.GenerationsRun(), 11);
        }
    }
}
