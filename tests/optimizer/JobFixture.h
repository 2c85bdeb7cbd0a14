// Every optimizer test starts from the settings of a fresh program and leaves
// them so.
#pragma once

#include <gtest/gtest.h>

#include "model/Globals.h"
#include "optimizer/Ga.h"
#include "support/JobBuilder.h"

class JobTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetJobSettings(); }
    void TearDown() override { ResetJobSettings(); }

    // A candidate in its created state: sheets in job order, no part turned.
    static Agent CreatedAgent() {
        Agent agent;
        CreateRandom(agent, g_PartList, g_SheetList);
        return agent;
    }

    // A created candidate laid out once.
    static Agent EvaluatedAgent() {
        Agent agent = CreatedAgent();
        WorkList list;
        Evaluate(agent, list);
        return agent;
    }
};
