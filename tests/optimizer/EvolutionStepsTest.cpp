// The steps of one generation: rates, operators, restart, ranking and stop test.
#include <algorithm>
#include <map>
#include <type_traits>

#include "JobFixture.h"
#include "optimizer/Random.h"

using namespace tarvex;

namespace {

// True when exactly `draws` draws were taken from `random` since it was seeded
// with `seed`: compared by the draw it gives next.
bool TakenSince(RandomSource& random, std::uint32_t seed, int draws) {
    const int next = random.Draw();
    RandomSource fresh(seed);
    for (int i = 0; i < draws; ++i) fresh.Draw();
    return fresh.Draw() == next;
}

std::vector<std::vector<std::int32_t>> Genes(const GA& ga, bool offspring,
                                             std::vector<std::int32_t> Agent::*field) {
    std::vector<std::vector<std::int32_t>> all;
    for (int i = 0; i < GA::kPopulation; ++i)
        all.push_back((offspring ? ga.Offspring(i) : ga.Candidate(i)).*field);
    return all;
}

void SetFitness(GA& ga, double value) {
    for (int i = 0; i < GA::kPopulation; ++i) ga.Candidate(i).fitness = value;
}

}  // namespace

class EvolutionSteps : public JobTest {
  protected:
    void SetUp() override {
        BuildJob({TestPart(30, 20, 4, true), TestPart(40, 10, 3, false), TestPart(15, 12, 5, true)},
                 {TestSheet(100, 100, 3), TestSheet(80, 60, 3)});
        GaOptions options;
        options.maxGenerations = 44;
        options.seed = 2024;
        options.threads = 1;
        ga = std::make_unique<GA>(job, settings, options);
        ga->CreatePopulations();
    }

    // Every gene position's turnability must be that of the part it names.
    void ExpectTurnableFollowsParts() {
        std::map<std::int32_t, std::int32_t> rotatable;
        for (const Part& p : job.Parts()) rotatable[p.id] = p.rotatable ? 1 : 0;
        for (int i = 0; i < GA::kPopulation; ++i)
            for (const Agent* agent : {&ga->Candidate(i), &ga->Offspring(i)})
                for (std::size_t k = 0; k < agent->partOrder.size(); ++k)
                    ASSERT_EQ(agent->turnable[k], rotatable[agent->partOrder[k]]);
    }

    // Seeds the search's own source, from which the steps draw.
    void Reseed(std::uint32_t seed) { ga->Random() = RandomSource(seed); }

    // Changes one figure of the search's state between two steps.
    template <typename T>
    void SetFigure(T EvolutionState::*figure, std::type_identity_t<T> value) {
        EvolutionState state = ga->State();
        state.*figure = value;
        ga->SetState(state);
    }

    std::unique_ptr<GA> ga;
};

TEST_F(EvolutionSteps, RatesMoveLinearlyOverTheRun) {
    ga->SetRates(0);
    EXPECT_EQ(ga->State().crossRate, 0.9f);
    EXPECT_EQ(ga->State().mutateRate, 0.1f);
    ga->SetRates(43);
    EXPECT_NEAR(ga->State().crossRate, 0.118, 0.0005);
    EXPECT_NEAR(ga->State().mutateRate, 0.589, 0.0005);
    // The steps follow the generations of the search's own options.
    GaOptions longer;
    longer.maxGenerations = 132;
    GA longRun(job, settings, longer);
    longRun.SetRates(131);
    EXPECT_GT(longRun.State().crossRate, 0.1f);
    EXPECT_LT(longRun.State().mutateRate, 0.6f);
    EXPECT_NEAR(longRun.State().crossRate, 0.9 - 131 * 0.8 / 132, 0.0005);
    EXPECT_NEAR(longRun.State().mutateRate, 0.1 + 131 * 0.5 / 132, 0.0005);
    ga->SetRates(131);
    EXPECT_LT(ga->State().crossRate, 0.0f);
}

TEST_F(EvolutionSteps, PopulationsAreDrawnFromTheSeed) {
    EXPECT_EQ(ga->Seed(), 2024u);
    // Main and offspring candidates are created in turn from the seeded source.
    RandomSource seeded(2024);
    for (int i = 0; i < GA::kPopulation; ++i) {
        for (const Agent* made : {&ga->Candidate(i), &ga->Offspring(i)}) {
            Agent expected;
            CreateRandom(expected, job.Parts(), job.Sheets(), seeded);
            EXPECT_EQ(made->sheetOrder, expected.sheetOrder) << i;
            EXPECT_EQ(made->partOrder, expected.partOrder) << i;
            EXPECT_EQ(made->turn, expected.turn) << i;
            EXPECT_EQ(made->turnable, expected.turnable) << i;
        }
    }
    EXPECT_EQ(ga->Random().Draw(), seeded.Draw());
}

TEST_F(EvolutionSteps, ClosedGatesDrawOnceAndChangeNothing) {
    const auto sheetGenes = Genes(*ga, true, &Agent::sheetOrder);
    const auto partGenes = Genes(*ga, true, &Agent::partOrder);
    const auto turnGenes = Genes(*ga, true, &Agent::turn);
    const auto mainTurns = Genes(*ga, false, &Agent::turn);
    SetFigure(&EvolutionState::crossRate, -1);
    SetFigure(&EvolutionState::mutateRate, -1);
    Reseed(8);
    ga->SheetOrderCrossover();
    ga->PartOrderCrossover();
    ga->TurnCrossover();
    ga->TurnMutation();
    EXPECT_TRUE(TakenSince(ga->Random(), 8, 4));
    EXPECT_EQ(Genes(*ga, true, &Agent::sheetOrder), sheetGenes);
    EXPECT_EQ(Genes(*ga, true, &Agent::partOrder), partGenes);
    EXPECT_EQ(Genes(*ga, true, &Agent::turn), turnGenes);
    EXPECT_EQ(Genes(*ga, false, &Agent::turn), mainTurns);
}

TEST_F(EvolutionSteps, OpenGatesRecombineEveryOffspring) {
    SetFigure(&EvolutionState::crossRate, 1);
    Reseed(8);
    ga->SheetOrderCrossover();
    EXPECT_TRUE(TakenSince(ga->Random(), 8, 1 + 32 * 3));
    Reseed(9);
    ga->PartOrderCrossover();
    ga->TurnCrossover();
    EXPECT_TRUE(TakenSince(ga->Random(), 9, 2 * (1 + 32 * 3)));
    for (int i = 0; i < GA::kPopulation; ++i) {
        auto order = ga->Offspring(i).sheetOrder;
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, (std::vector<std::int32_t>{0, 1, 2, 3, 4, 5}));
    }
    ExpectTurnableFollowsParts();
}

TEST_F(EvolutionSteps, MutationSparesSlotZeroAndFixedParts) {
    for (int round = 0; round < 30; ++round) {
        const auto before = Genes(*ga, false, &Agent::turn);
        SetFigure(&EvolutionState::mutateRate, 1);
        ga->TurnMutation();
        const auto after = Genes(*ga, false, &Agent::turn);
        EXPECT_EQ(after[0], before[0]);
        for (int i = 1; i < GA::kPopulation; ++i) {
            int changed = 0;
            for (std::size_t k = 0; k < after[i].size(); ++k) {
                if (after[i][k] == before[i][k]) continue;
                ++changed;
                EXPECT_EQ(ga->Candidate(i).turnable[k], 1);
            }
            EXPECT_LE(changed, 1);
        }
    }
    ExpectTurnableFollowsParts();
}

TEST_F(EvolutionSteps, RestartAfterSixGenerationsWithTheSameBest) {
    SetFitness(*ga, 0.7);
    SetFigure(&EvolutionState::lastMean, 0.7f);
    const auto mainTurns = Genes(*ga, false, &Agent::turn);
    const auto childSheets = Genes(*ga, true, &Agent::sheetOrder);
    const auto childTurns = Genes(*ga, true, &Agent::turn);

    Reseed(31);
    ga->Restart();  // the best changed from the initial 1.0
    EXPECT_EQ(ga->State().sameBestCount, 0);
    EXPECT_EQ(ga->State().lastBest, 0.7f);
    for (int unchanged = 1; unchanged <= 5; ++unchanged) {
        ga->Restart();
        EXPECT_EQ(ga->State().sameBestCount, unchanged);
    }
    EXPECT_TRUE(TakenSince(ga->Random(), 31, 0));

    Reseed(32);
    ga->Restart();
    EXPECT_EQ(ga->State().sameBestCount, 0);
    // Per slot of the weaker half: k; then c, a, b for turns, sheet and part order.
    EXPECT_TRUE(TakenSince(ga->Random(), 32, 16 * 10));
    const auto newMainTurns = Genes(*ga, false, &Agent::turn);
    const auto newChildSheets = Genes(*ga, true, &Agent::sheetOrder);
    const auto newChildTurns = Genes(*ga, true, &Agent::turn);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(newMainTurns[i], mainTurns[i]);
        EXPECT_EQ(newChildSheets[i], childSheets[i]);
        EXPECT_EQ(newChildTurns[i], childTurns[i]);
    }
    bool childChanged = false;
    for (int i = 16; i < 32; ++i)
        childChanged = childChanged || newChildSheets[i] != childSheets[i] ||
                       newChildTurns[i] != childTurns[i];
    EXPECT_TRUE(childChanged);
    ExpectTurnableFollowsParts();
}

TEST_F(EvolutionSteps, RestartWaitsForAStopTestMean) {
    SetFitness(*ga, 0.7);
    SetFigure(&EvolutionState::lastBest, 0.7f);
    SetFigure(&EvolutionState::lastMean, 0);
    Reseed(5);
    for (int unchanged = 1; unchanged <= 8; ++unchanged) {
        ga->Restart();
        EXPECT_EQ(ga->State().sameBestCount, unchanged);
    }
    EXPECT_TRUE(TakenSince(ga->Random(), 5, 0));
    // Past 6 the restart is not tried again until the best changes.
    SetFigure(&EvolutionState::lastMean, 0.7f);
    ga->Restart();
    EXPECT_EQ(ga->State().sameBestCount, 9);
    SetFitness(*ga, 0.75);
    ga->Restart();
    EXPECT_EQ(ga->State().sameBestCount, 0);
}

TEST_F(EvolutionSteps, RestartSkippedWhenTheMeanMovedOrNothingScores) {
    SetFitness(*ga, 0.7);
    SetFigure(&EvolutionState::lastBest, 0.7f);
    SetFigure(&EvolutionState::lastMean, 0.5f);  // more than 10 % away from 0.7
    Reseed(5);
    for (int i = 0; i < 6; ++i) ga->Restart();
    EXPECT_EQ(ga->State().sameBestCount, 0);

    // The best nine did not move, but the best scores nothing.
    SetFitness(*ga, 0.9);
    ga->Candidate(0).fitness = 0;
    SetFigure(&EvolutionState::lastBest, 0);
    SetFigure(&EvolutionState::lastMean, 0.8f);
    for (int i = 0; i < 6; ++i) ga->Restart();
    EXPECT_EQ(ga->State().sameBestCount, 0);
    EXPECT_TRUE(TakenSince(ga->Random(), 5, 0));
}

TEST_F(EvolutionSteps, StopAfterNineStagnantGenerations) {
    SetFitness(*ga, 0.6);
    for (int g = 1; g <= 8; ++g) EXPECT_FALSE(ga->StopTest()) << g;
    EXPECT_TRUE(ga->StopTest());
    EXPECT_EQ(ga->State().lastMean, 0.6f);

    // A change below 0.1 % of the best nine's mean still counts as stagnant.
    SetFigure(&EvolutionState::stallCount, 0);
    ga->Candidate(0).fitness = 0.6 + 0.6 * 9 * 0.0009;
    EXPECT_FALSE(ga->StopTest());
    EXPECT_EQ(ga->State().stallCount, 1);
    ga->Candidate(0).fitness = 0.7;
    EXPECT_FALSE(ga->StopTest());
    EXPECT_EQ(ga->State().stallCount, 0);
    // Candidates below the best nine do not count.
    ga->Candidate(20).fitness = 0.1;
    ga->StopTest();
    EXPECT_EQ(ga->State().stallCount, 1);
}

namespace {

Agent Scored(double fitness, int used, double best) {
    Agent a;
    a.fitness = fitness;
    a.usedSheets = used;
    a.bestSheetUse = best;
    return a;
}

}  // namespace

TEST(Ranking, TiesBreakOnSheetsThenBestSheet) {
    EXPECT_TRUE(Better(Scored(0.81, 5, 0.1), Scored(0.8, 1, 0.9)));
    EXPECT_FALSE(Better(Scored(0.8, 1, 0.9), Scored(0.81, 5, 0.1)));
    // Within 0.00001 the fewer used sheets win, then the fuller best sheet.
    EXPECT_TRUE(Better(Scored(0.800005, 2, 0.5), Scored(0.8, 3, 0.9)));
    EXPECT_TRUE(Better(Scored(0.8, 3, 0.9), Scored(0.800005, 3, 0.5)));
    EXPECT_FALSE(Better(Scored(0.8, 3, 0.9), Scored(0.8, 2, 0.1)));
    // Equal candidates are never better than each other.
    EXPECT_FALSE(Better(Scored(0.8, 2, 0.5), Scored(0.8, 2, 0.5)));
}

TEST_F(EvolutionSteps, SortRanksBothPopulations) {
    for (int i = 0; i < GA::kPopulation; ++i) {
        ga->Candidate(i) = Scored(0.1 + 0.01 * i, 3, 0.01 * i);
        ga->Offspring(i) = Scored(0.05, 3, 0.01 * i);
    }
    ga->Candidate(7) = Scored(0.8, 3, 0.9);
    ga->Candidate(12) = Scored(0.800005, 2, 0.5);
    ga->Candidate(20) = Scored(0.8, 2, 0.95);
    ga->Candidate(25) = Scored(0.81, 4, 0.2);
    ga->SortAndMerge();
    EXPECT_EQ(ga->Candidate(0).fitness, 0.81);
    EXPECT_EQ(ga->Candidate(1).bestSheetUse, 0.95);
    EXPECT_EQ(ga->Candidate(2).bestSheetUse, 0.5);
    EXPECT_EQ(ga->Candidate(3).bestSheetUse, 0.9);
    for (int i = 1; i < GA::kPopulation; ++i) {
        EXPECT_FALSE(Better(ga->Candidate(i), ga->Candidate(i - 1))) << i;
        EXPECT_FALSE(Better(ga->Offspring(i), ga->Offspring(i - 1))) << i;
    }
    // Equal fitness and sheets: the offspring end in descending best-sheet order.
    EXPECT_EQ(ga->Offspring(0).bestSheetUse, 0.31);
}

TEST_F(EvolutionSteps, MergeReplacesOnlyTheWeakerHalf) {
    for (int i = 0; i < GA::kPopulation; ++i) {
        ga->Candidate(i).fitness = 0.9 - 0.01 * i;
        ga->Offspring(i).fitness = i < 4 ? 0.95 : 0.1;
    }
    const SheetLayout* bestRecords = ga->Candidate(0).sheets.data();
    ga->SortAndMerge();
    // Slot 0 keeps its candidate even though better offspring exist.
    EXPECT_EQ(ga->Candidate(0).fitness, 0.9);
    EXPECT_EQ(ga->Candidate(0).sheets.data(), bestRecords);
    for (int i = 1; i < 28; ++i) EXPECT_DOUBLE_EQ(ga->Candidate(i).fitness, 0.9 - 0.01 * i);
    for (int i = 28; i < 32; ++i) EXPECT_EQ(ga->Candidate(i).fitness, 0.95);
    for (int k = 0; k < 4; ++k) EXPECT_DOUBLE_EQ(ga->Offspring(k).fitness, 0.9 - 0.01 * (31 - k));
}
