// Whole runs: reproducibility over thread counts, ending, progress and odd jobs.
#include <cstdio>
#include <sstream>

#include "JobFixture.h"
#include "optimizer/Random.h"

namespace {

void Write(std::ostringstream& out, double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%a ", v);
    out << text;
}

void Write(std::ostringstream& out, const TPartInfo& p) {
    for (double v : {p.x, p.y, p.length, p.width}) Write(out, v);
    out << p.id << ' ' << int(p.rotated) << ' ' << int(p.placed) << "; ";
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
    out << agent.usedSheets << '\n';
    for (const TSheetInfo& s : agent.sheets) {
        out << "sheet " << s.id << ' ';
        Write(out, s.utilisation);
        for (const TPartInfo& p : s.parts) Write(out, p);
        out << " offcuts ";
        for (const TPartInfo& o : s.offcuts) Write(out, o);
        out << '\n';
    }
    for (const TPartInfo& p : agent.parts) Write(out, p);
    return out.str();
}

struct Outcome {
    std::string plan;
    int generations = 0;
    int progressCalls = 0;
};

Outcome RunWith(int threads, std::uint32_t seed, const std::atomic<bool>* stop = nullptr,
                int stopAfterProgress = -1) {
    SeedRandom(seed);
    Outcome outcome;
    std::atomic<bool> ownStop{false};
    GaOptions options;
    options.threads = threads;
    options.stop = stop ? stop : &ownStop;
    options.progress = [&] {
        if (++outcome.progressCalls == stopAfterProgress) ownStop = true;
    };
    GA ga(options);
    ga.Run();
    for (auto* slots : {&ga.population, &ga.offspring})
        for (const auto& agent : *slots) outcome.plan += Fingerprint(*agent);
    outcome.generations = ga.GenerationsRun();
    return outcome;
}

}  // namespace

using WholeRun = JobTest;

TEST_F(WholeRun, SameSeedGivesTheSamePlanOnAnyNumberOfThreads) {
    struct Job {
        bool guillotine;
        bool cost;
        double kerf;
        double margin;
    };
    for (const Job& job : {Job{false, false, 0, 0}, Job{true, false, 3, 5}, Job{false, true, 2, 0},
                           Job{true, true, 0, 10}}) {
        ResetJobSettings();
        g_isonecut = job.guillotine;
        g_ispricecut = job.cost;
        g_sawwidth = job.kerf;
        g_margintop = g_marginbottom = g_marginleft = g_marginright = job.margin;
        g_minlength = g_minwidth = 10;
        g_minarea = 150;
        g_maxgen = 22;
        BuildJob({{600, 400, 5},
                  {350, 300, 7, false},
                  {720, 560, 3},
                  {200, 90, 12},
                  {1200, 300, 2, false},
                  {450, 450, 4}},
                 {{2440, 1220, 2, 120, true}, {1830, 915, 8, 60}}, true);
        for (std::uint32_t seed : {1u, 77u, 4242u}) {
            const Outcome one = RunWith(1, seed);
            const Outcome two = RunWith(2, seed);
            const Outcome eight = RunWith(8, seed);
            EXPECT_GT(one.generations, 0);
            EXPECT_EQ(two.generations, one.generations);
            EXPECT_EQ(eight.generations, one.generations);
            EXPECT_TRUE(two.plan == one.plan)
                << "seed " << seed << " guillotine " << job.guillotine;
            EXPECT_TRUE(eight.plan == one.plan) << "seed " << seed << " cost " << job.cost;
        }
    }
}

TEST_F(WholeRun, StagnantSearchEndsAfterNineGenerations) {
    // Every candidate lays out the single part the same way.
    g_maxgen = 44;
    BuildJob({{50, 50}}, {{100, 100}});
    const Outcome outcome = RunWith(2, 3);
    EXPECT_EQ(outcome.generations, 9);
    EXPECT_EQ(outcome.progressCalls, 8);
}

TEST_F(WholeRun, ShortRunReportsEveryGeneration) {
    g_maxgen = 5;
    BuildJob({{50, 50, 3}}, {{100, 100, 2}});
    const Outcome outcome = RunWith(2, 3);
    EXPECT_EQ(outcome.generations, 5);
    EXPECT_EQ(outcome.progressCalls, 5);
}

TEST_F(WholeRun, StopRequestEndsAfterTheCurrentGeneration) {
    g_maxgen = 44;
    BuildJob({{600, 400, 5}, {350, 300, 7}, {720, 560, 3}}, {{2440, 1220, 6}});
    std::atomic<bool> stop{false};
    SeedRandom(6);
    int calls = 0;
    GaOptions options;
    options.threads = 2;
    options.stop = &stop;
    options.progress = [&] {
        if (++calls == 2) stop = true;
    };
    GA ga(options);
    ga.Run();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ga.GenerationsRun(), 3);
    // Slot 0 holds the best of the ranked main population, with its layouts; the
    // merge may have put better offspring into the weaker half since.
    for (int i = 1; i < GA::kPopulation / 2; ++i)
        EXPECT_FALSE(Better(*ga.population[i], ga.Best()));
    EXPECT_GT(ga.Best().fitness, 0);
    std::size_t placed = 0;
    for (const TSheetInfo& s : ga.Best().sheets) placed += s.parts.size();
    EXPECT_EQ(placed, 15u);
}

TEST_F(WholeRun, FindsTheTurnsAJobNeeds) {
    // Each part fits a sheet only when turned.
    g_maxgen = 11;
    BuildJob({{30, 100, 3}}, {{100, 30, 3}});
    SeedRandom(12);
    GA ga({1, {}, nullptr});
    ga.Run();
    Agent& best = ga.Best();
    EXPECT_DOUBLE_EQ(best.fitness, 1.0);
    EXPECT_EQ(best.usedSheets, 3);
    for (TSheetInfo& s : best.sheets) s.used = s.parts.empty() ? 0 : 1;
    EXPECT_TRUE(AllPartsPlaced(best));
}

TEST_F(WholeRun, FixedPartsAreNeverTurned) {
    g_maxgen = 11;
    BuildJob({{600, 400, 6, false}, {300, 200, 9, false}}, {{1220, 2440, 3}});
    SeedRandom(21);
    GA ga({2, {}, nullptr});
    ga.Run();
    for (auto* slots : {&ga.population, &ga.offspring}) {
        for (const auto& agent : *slots) {
            for (auto t : agent->turn) EXPECT_EQ(t, 0);
            for (const TSheetInfo& s : agent->sheets)
                for (const TPartInfo& p : s.parts) EXPECT_EQ(p.rotated, 0);
        }
    }
    EXPECT_GT(ga.Best().fitness, 0);
}

TEST_F(WholeRun, OneSheetJob) {
    g_maxgen = 11;
    BuildJob({{600, 400, 4}, {300, 200, 5}}, {{2440, 1220}});
    SeedRandom(2);
    GA ga({2, {}, nullptr});
    ga.Run();
    EXPECT_EQ(ga.Best().sheetOrder, std::vector<std::int32_t>{0});
    EXPECT_EQ(ga.Best().usedSheets, 1);
}

TEST_F(WholeRun, EmptyJobsEndWithoutAPlan) {
    g_maxgen = 11;
    for (bool noParts : {true, false}) {
        for (bool noSheets : {true, false}) {
            if (!noParts && !noSheets) continue;
            ResetJobSettings();
            g_maxgen = 11;
            BuildJob(noParts ? std::vector<PartRow>{} : std::vector<PartRow>{{10, 10, 2}},
                     noSheets ? std::vector<SheetRow>{} : std::vector<SheetRow>{{100, 100, 2}});
            SeedRandom(1);
            GA ga({2, {}, nullptr});
            ga.Run();
            EXPECT_EQ(ga.Best().fitness, 0);
            EXPECT_EQ(ga.Best().usedSheets, 0);
            EXPECT_LE(ga.GenerationsRun(), 11);
        }
    }
}
