// What a candidate costs in memory: the 64 candidates of a search of a large job
// must not each hold copies of the job's records.
#include <algorithm>
#include <random>
#include <string>

#include "HeapCount.h"
#include "JobFixture.h"

using namespace tarvex;

namespace {

class CandidateMemory : public JobTest {
  protected:
    // A job of generated part rows and two sheet rows whose labels are
    // `labelLength` characters long.
    void BuildLabelled(std::size_t labelLength, int kinds, bool guillotine) {
        settings.guillotine = guillotine;
        settings.bladeWidth = 4;
        std::mt19937 rng(17);
        std::uniform_int_distribution<int> length(60, 600), width(40, 400), pieces(1, 8);
        std::vector<PartRow> rows;
        for (int k = 0; k < kinds; ++k) {
            std::string label = "Row " + std::to_string(k) + " ";
            label.resize(std::max(labelLength, label.size()), 'x');
            rows.push_back(TestPart(static_cast<double>(length(rng)),
                                    static_cast<double>(width(rng)), pieces(rng), rng() % 4 != 0,
                                    label));
        }
        const std::string sheetLabel(labelLength, 's');
        BuildJob(rows, {TestSheet(2440, 1220, 200, 0, false, sheetLabel + "1"),
                        TestSheet(2800, 2070, 200, 0, false, sheetLabel + "2")});
    }

    // The heap bytes a new candidate asks for from its creation through its first
    // evaluations, with a working list that has laid out the job before.
    std::size_t CandidateBytes() {
        random = RandomSource(5);
        WorkList list;
        Agent warm = EvaluatedAgent();
        Decode(warm);
        Evaluate(warm, list, job, settings);
        StartHeapCount();
        Agent agent = CreatedAgent();
        Evaluate(agent, list, job, settings);
        Decode(agent);
        Evaluate(agent, list, job, settings);
        const std::size_t bytes = StopHeapCount();
        EXPECT_TRUE(AllPartsPlaced(agent, job.PartCount()));
        return bytes;
    }
};

// Labels are the job's: a candidate names parts and sheets, so it takes the
// same memory whatever the labels.
TEST_F(CandidateMemory, DoesNotGrowWithTheLabels) {
    for (bool guillotine : {true, false}) {
        BuildLabelled(1, 300, guillotine);
        const std::size_t shortLabels = CandidateBytes();
        BuildLabelled(200, 300, guillotine);
        EXPECT_EQ(CandidateBytes(), shortLabels) << "guillotine " << guillotine;
    }
}

}  // namespace
