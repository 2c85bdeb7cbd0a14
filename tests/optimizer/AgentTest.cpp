// Creating, decoding, exchanging and counting candidates.
#include "JobFixture.h"
#include "optimizer/Random.h"

using CandidateCreation = JobTest;

TEST_F(CandidateCreation, RotatesTheJobOrderAndDrawsOneTurnPerPart) {
    BuildJob({{30, 20, 3, true}, {40, 10, 2, false}, {15, 15, 2, true}}, {{100, 100, 5}});
    const std::int32_t firstPart = g_PartList.front().id;

    SeedRandom(99);
    Agent agent;
    CreateRandom(agent, g_PartList, g_SheetList);
    const int after = RandomDraw();

    // The same draws in the described order: d, e, then one per part.
    SeedRandom(99);
    const int d = RandomIndex(5);
    const int e = RandomIndex(7);
    std::vector<int> turns;
    for (int k = 0; k < 7; ++k) turns.push_back(RandomUnit() > 0.5 ? 1 : 0);
    EXPECT_EQ(RandomDraw(), after);

    for (int k = 0; k < 5; ++k) EXPECT_EQ(agent.sheetOrder[k], (k + d) % 5);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(agent.partOrder[k], firstPart + (k + e) % 7);
        const TPartInfo& part = g_PartList[(k + e) % 7];
        EXPECT_EQ(agent.turnable[k], part.rotatable) << "position " << k;
    }
    EXPECT_EQ(agent.turn, turns);

    // The records themselves stay in the job's order, unturned.
    ASSERT_EQ(agent.parts.size(), 7u);
    ASSERT_EQ(agent.sheets.size(), 5u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(agent.parts[k].id, g_PartList[k].id);
        EXPECT_EQ(agent.parts[k].rotated, 0);
    }
    for (int k = 0; k < 5; ++k) EXPECT_EQ(agent.sheets[k].id, k);
}

using Decoding = JobTest;

TEST_F(Decoding, LaysSheetsOutInGeneOrderAndTurnsWhatMayTurn) {
    BuildJob(
        {{30, 20, 2, true}, {40, 10, 1, false}, {15, 12, 1, true}},
        {{100, 100, 1, 0, false, "A"}, {90, 90, 1, 0, false, "B"}, {80, 80, 1, 0, false, "C"}});
    Agent agent = CreatedAgent();
    agent.sheetOrder = {2, 0, 1};
    const std::int32_t base = g_PartList.front().id;
    // Gene positions deliberately differ from the record order.
    agent.partOrder = {base + 3, base + 2, base + 0, base + 1};
    agent.turnable = {1, 0, 1, 1};
    agent.turn = {1, 1, 0, 1};

    Decode(agent);

    ASSERT_EQ(agent.sheets.size(), 3u);
    EXPECT_EQ(agent.sheets[0].label, "C");
    EXPECT_EQ(agent.sheets[1].label, "A");
    EXPECT_EQ(agent.sheets[2].label, "B");
    // The fixed part keeps its sizes and its gene is corrected.
    EXPECT_EQ(agent.turn, (std::vector<std::int32_t>{1, 0, 0, 1}));
    const auto& p = agent.parts;
    EXPECT_EQ(p[2].rotated, 0);
    EXPECT_EQ(p[2].length, 40);
    EXPECT_EQ(p[0].rotated, 0);
    EXPECT_EQ(p[0].length, 30);
    EXPECT_EQ(p[1].rotated, 1);
    EXPECT_EQ(p[1].length, 20);
    EXPECT_EQ(p[1].width, 30);
    EXPECT_EQ(p[3].rotated, 1);
    EXPECT_EQ(p[3].length, 12);
}

TEST_F(Decoding, DamagedSheetOrderLeavesTheSheetsAlone) {
    BuildJob({{30, 20}}, {{100, 100, 1, 0, false, "A"}, {90, 90, 1, 0, false, "B"}});
    Agent agent = CreatedAgent();
    for (const auto& order : {std::vector<std::int32_t>{1, 1}, {0, 7}}) {
        agent.sheetOrder = order;
        Decode(agent);
        ASSERT_EQ(agent.sheets.size(), 2u);
        EXPECT_EQ(agent.sheets[0].label, "A");
        EXPECT_EQ(agent.sheets[1].label, "B");
        EXPECT_EQ(agent.sheets[1].length, 90);
    }
}

TEST_F(Decoding, FixedPartWithTurnGeneIsLaidOutUnturned) {
    // Only turned would the part fit the sheet; being fixed, it must stay off it.
    BuildJob({{10, 50, 1, false}}, {{50, 10, 1}});
    Agent agent = CreatedAgent();
    agent.turn = {1};
    Decode(agent);
    WorkList list;
    Evaluate(agent, list);
    EXPECT_EQ(agent.turn[0], 0);
    EXPECT_EQ(agent.usedSheets, 0);
    EXPECT_EQ(agent.fitness, 0);

    // The turnable gene, not the record, decides.
    agent.turnable = {1};
    agent.turn = {1};
    UndoTurns(agent);
    Decode(agent);
    Evaluate(agent, list);
    EXPECT_EQ(agent.usedSheets, 1);
    EXPECT_DOUBLE_EQ(agent.fitness, 1.0);
}

TEST_F(Decoding, UndoTurnsRestoresEveryRecord) {
    g_sawwidth = 3;
    BuildJob({{30, 20, 3, true}, {40, 10, 2, false}, {15, 12, 4, true}}, {{100, 100, 2}});
    SeedRandom(11);
    for (int round = 0; round < 10; ++round) {
        Agent agent = CreatedAgent();
        const std::vector<TPartInfo> before = agent.parts;
        Decode(agent);
        UndoTurns(agent);
        ASSERT_EQ(agent.parts.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(agent.parts[i].length, before[i].length);
            EXPECT_EQ(agent.parts[i].width, before[i].width);
            EXPECT_EQ(agent.parts[i].rotated, 0);
        }
    }
}

using CandidateExchange = JobTest;

TEST_F(CandidateExchange, SwapsGenesScoresAndRecordsWithoutCopying) {
    BuildJob({{30, 20, 3}}, {{100, 100, 2}});
    SeedRandom(4);
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
    const TSheetInfo* aSheets = a.sheets.data();
    const TPartInfo* bParts = b.parts.data();

    Exchange(a, b);

    EXPECT_EQ(a.fitness, 0.25);
    EXPECT_EQ(b.fitness, 0.5);
    EXPECT_EQ(b.usedSheets, 2);
    EXPECT_EQ(b.bestSheetUse, 0.7);
    EXPECT_EQ(a.sheetOrder, (std::vector<std::int32_t>{1, 0}));
    EXPECT_EQ(b.turn, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(b.sheets.data(), aSheets);
    EXPECT_EQ(a.parts.data(), bParts);
}

using PlacedCount = JobTest;

TEST_F(PlacedCount, CountsThePartsOnSheetsMarkedUsed) {
    BuildJob({{50, 50, 3}}, {{100, 50, 2}});
    Agent agent = EvaluatedAgent();
    // The marks are set only when a result is applied.
    EXPECT_FALSE(AllPartsPlaced(agent));
    for (TSheetInfo& s : agent.sheets) s.used = s.parts.empty() ? 0 : 1;
    EXPECT_TRUE(AllPartsPlaced(agent));

    BuildJob({{50, 50, 2}, {200, 10, 1}}, {{100, 50, 2}});
    agent = EvaluatedAgent();
    for (TSheetInfo& s : agent.sheets) s.used = s.parts.empty() ? 0 : 1;
    EXPECT_FALSE(AllPartsPlaced(agent));
}
