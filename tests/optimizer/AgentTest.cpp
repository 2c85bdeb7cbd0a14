// Creating, decoding, exchanging and counting candidates.
#include "JobFixture.h"
#include "optimizer/Random.h"

using namespace tarvex;

using CandidateCreation = JobTest;

TEST_F(CandidateCreation, RotatesTheJobOrderAndDrawsOneTurnPerPart) {
    BuildJob({TestPart(30, 20, 3, true), TestPart(40, 10, 2, false), TestPart(15, 15, 2, true)},
             {TestSheet(100, 100, 5)});
    const std::int32_t firstPart = job.Parts().front().id;
    ASSERT_EQ(firstPart, kFirstPartId);

    RandomSource seeded(99);
    Agent agent;
    CreateRandom(agent, job.Parts(), job.Sheets(), seeded);
    const int after = seeded.Draw();

    // The same draws in the described order: d, e, then one per part.
    RandomSource again(99);
    const int d = again.Index(5);
    const int e = again.Index(7);
    std::vector<int> turns;
    for (int k = 0; k < 7; ++k) turns.push_back(again.Unit() > 0.5 ? 1 : 0);
    EXPECT_EQ(again.Draw(), after);

    for (int k = 0; k < 5; ++k) EXPECT_EQ(agent.sheetOrder[k], (k + d) % 5);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(agent.partOrder[k], firstPart + (k + e) % 7);
        const Part& part = job.Parts()[(k + e) % 7];
        EXPECT_EQ(agent.turnable[k], part.rotatable ? 1 : 0) << "position " << k;
    }
    EXPECT_EQ(agent.turn, turns);

    // The sheets stay in the job's order and the parts lie as entered.
    ASSERT_EQ(agent.sheets.size(), 5u);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(agent.sheets[k].id, k);
    std::vector<char> turned;
    PartTurns(agent, job.Parts(), turned);
    EXPECT_EQ(turned, std::vector<char>(7, 0));
}

using Decoding = JobTest;

TEST_F(Decoding, LaysSheetsOutInGeneOrderAndTurnsWhatMayTurn) {
    BuildJob({TestPart(30, 20, 2, true), TestPart(40, 10, 1, false), TestPart(15, 12, 1, true)},
             {TestSheet(100, 100, 1, 0, false, "A"), TestSheet(90, 90, 1, 0, false, "B"),
              TestSheet(80, 80, 1, 0, false, "C")});
    Agent agent = CreatedAgent();
    agent.sheetOrder = {2, 0, 1};
    const std::int32_t base = job.Parts().front().id;
    // Gene positions deliberately differ from the record order.
    agent.partOrder = {base + 3, base + 2, base + 0, base + 1};
    agent.turnable = {1, 0, 1, 1};
    agent.turn = {1, 1, 0, 1};

    Decode(agent);

    ASSERT_EQ(agent.sheets.size(), 3u);
    EXPECT_EQ(agent.sheets[0].id, 2);
    EXPECT_EQ(agent.sheets[1].id, 0);
    EXPECT_EQ(agent.sheets[2].id, 1);
    // The fixed part stays as entered and its gene is corrected.
    EXPECT_EQ(agent.turn, (std::vector<std::int32_t>{1, 0, 0, 1}));
    std::vector<char> turned;
    PartTurns(agent, job.Parts(), turned);
    EXPECT_EQ(turned, (std::vector<char>{0, 1, 0, 1}));

    // The layouts name the job's records and lie as the genes say.
    WorkList list;
    Evaluate(agent, list, job, settings);
    const SearchedPlan plan = CandidatePlan(agent, job);
    const std::vector<LaidOutSheet>& laid = plan.sheets;
    ASSERT_EQ(laid.size(), 3u);
    EXPECT_EQ(laid[0].label, "C");
    EXPECT_EQ(laid[1].label, "A");
    EXPECT_EQ(laid[2].label, "B");
    int placed = 0;
    for (const LaidOutSheet& s : laid) {
        for (const Footprint& f : s.parts) {
            const Part& part = job.Parts()[f.partId - base];
            EXPECT_EQ(f.rotated, turned[f.partId - base] == 1);
            EXPECT_EQ(f.length, f.rotated ? part.width : part.length);
            EXPECT_EQ(f.width, f.rotated ? part.length : part.width);
            EXPECT_EQ(f.label, part.label);
            ++placed;
        }
    }
    EXPECT_EQ(placed, 4);
    EXPECT_TRUE(plan.allPlaced);
}

TEST_F(Decoding, DamagedSheetOrderLeavesTheSheetsAlone) {
    BuildJob({TestPart(30, 20)},
             {TestSheet(100, 100, 1, 0, false, "A"), TestSheet(90, 90, 1, 0, false, "B")});
    Agent agent = CreatedAgent();
    for (const auto& order : {std::vector<std::int32_t>{1, 1}, {0, 7}}) {
        agent.sheetOrder = order;
        Decode(agent);
        ASSERT_EQ(agent.sheets.size(), 2u);
        EXPECT_EQ(agent.sheets[0].id, 0);
        EXPECT_EQ(agent.sheets[1].id, 1);
    }
}

TEST_F(Decoding, FixedPartWithTurnGeneIsLaidOutUnturned) {
    // Only turned would the part fit the sheet; being fixed, it must stay off it.
    BuildJob({TestPart(10, 50, 1, false)}, {TestSheet(50, 10, 1)});
    Agent agent = CreatedAgent();
    agent.turn = {1};
    Decode(agent);
    WorkList list;
    Evaluate(agent, list, job, settings);
    EXPECT_EQ(agent.turn[0], 0);
    EXPECT_EQ(agent.usedSheets, 0);
    EXPECT_EQ(agent.fitness, 0);

    // The turnable gene, not the record, decides.
    agent.turnable = {1};
    agent.turn = {1};
    UndoTurns(agent);
    Decode(agent);
    Evaluate(agent, list, job, settings);
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_DOUBLE_EQ(agent.fitness, 1.0);
}

TEST_F(Decoding, UndoTurnsLaysThePartsOutAsEnteredAgain) {
    settings.bladeWidth = 3;
    BuildJob({TestPart(30, 20, 3, true), TestPart(40, 10, 2, false), TestPart(15, 12, 4, true)},
             {TestSheet(100, 100, 2)});
    const std::vector<Part> entered = job.Parts();
    random = RandomSource(11);
    WorkList list;
    for (int round = 0; round < 10; ++round) {
        Agent agent = CreatedAgent();
        Evaluate(agent, list, job, settings);
        const std::vector<PartSpot> created = agent.spots;
        Decode(agent);
        Evaluate(agent, list, job, settings);
        UndoTurns(agent);
        std::vector<char> turned;
        PartTurns(agent, job.Parts(), turned);
        EXPECT_EQ(turned, std::vector<char>(job.Parts().size(), 0));
        Evaluate(agent, list, job, settings);
        ASSERT_EQ(agent.spots.size(), created.size());
        for (std::size_t i = 0; i < created.size(); ++i) {
            EXPECT_EQ(agent.spots[i].part, created[i].part);
            EXPECT_EQ(agent.spots[i].x, created[i].x);
            EXPECT_EQ(agent.spots[i].y, created[i].y);
            EXPECT_FALSE(agent.spots[i].rotated);
        }
    }
    // Evaluations work on copies: the job's records are as entered.
    ASSERT_EQ(job.Parts().size(), entered.size());
    for (std::size_t i = 0; i < entered.size(); ++i) {
        EXPECT_EQ(job.Parts()[i].length, entered[i].length);
        EXPECT_EQ(job.Parts()[i].width, entered[i].width);
    }
}

using CandidateExchange = JobTest;

TEST_F(CandidateExchange, SwapsGenesScoresAndRecordsWithoutCopying) {
    BuildJob({TestPart(30, 20, 3)}, {TestSheet(100, 100, 2)});
    random = RandomSource(4);
    Agent a = CreatedAgent();
    Agent b = CreatedAgent();
    a.fitness = 0.5;
    a.usedSheets = 2;
    a.bestSheetUse = 0.7;
    b.fitness = 0.25;
    b.sheetOrder = {1, 0};
    a.sheetOrder = {0, 1};
    b.turn = {1, 1, 1};
    a.turn = {0, 0, 0};
    const SheetLayout* aSheets = a.sheets.data();
    const std::int32_t* bGenes = b.partOrder.data();

    Exchange(a, b);

    EXPECT_EQ(a.fitness, 0.25);
    EXPECT_EQ(b.fitness, 0.5);
    EXPECT_EQ(b.usedSheets, 2);
    EXPECT_EQ(b.bestSheetUse, 0.7);
    EXPECT_EQ(a.sheetOrder, (std::vector<std::int32_t>{1, 0}));
    EXPECT_EQ(b.turn, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(b.sheets.data(), aSheets);
    EXPECT_EQ(a.partOrder.data(), bGenes);
}

using PlacedCount = JobTest;

TEST_F(PlacedCount, CountsThePartsOnTheCandidatesSheets) {
    BuildJob({TestPart(50, 50, 3)}, {TestSheet(100, 50, 2)});
    // Before any layout no part lies on a sheet.
    EXPECT_FALSE(AllPartsPlaced(CreatedAgent(), job.PartCount()));
    Agent agent = EvaluatedAgent();
    EXPECT_TRUE(AllPartsPlaced(agent, job.PartCount()));
    // The count must match exactly, in either direction.
    EXPECT_FALSE(AllPartsPlaced(agent, job.PartCount() + 1));
    EXPECT_FALSE(AllPartsPlaced(agent, job.PartCount() - 1));

    // The 200 by 10 part fits no sheet in any orientation.
    BuildJob({TestPart(50, 50, 2), TestPart(200, 10, 1)}, {TestSheet(100, 50, 2)});
    agent = EvaluatedAgent();
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_FALSE(AllPartsPlaced(agent, job.PartCount()));
}
