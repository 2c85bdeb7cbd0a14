// Every optimizer test holds its own job and cut settings: the settings of a
// fresh program until a test changes them, and the job built from them.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/CutSettings.h"
#include "model/Job.h"
#include "optimizer/Ga.h"
#include "optimizer/Random.h"
#include "support/JobBuilder.h"

namespace tarvex {

class JobTest : public ::testing::Test {
  protected:
    // Part ids of the jobs start here, as those of a later job of a session do.
    static constexpr std::int32_t kFirstPartId = 700;

    // Replaces the job by the one of the rows, built with the current settings.
    void BuildJob(const std::vector<PartRow>& parts, const std::vector<SheetRow>& sheets,
                  SheetLimit limit = SheetLimit::All) {
        job = MakeJob(settings, parts, sheets, limit, kFirstPartId);
    }

    // A candidate in its created state, drawn from `random`.
    Agent CreatedAgent() {
        Agent agent;
        CreateRandom(agent, job.Parts(), job.Sheets(), random);
        return agent;
    }

    // A created candidate laid out once.
    Agent EvaluatedAgent() {
        Agent agent = CreatedAgent();
        WorkList list;
        Evaluate(agent, list, job, settings);
        return agent;
    }

    CutSettings settings;
    Job job;
    RandomSource random{1};
};

}  // namespace tarvex
