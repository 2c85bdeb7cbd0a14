// The genetic optimizer: candidates that fix the sheet order and the part turns,
// and the evolution loop over two populations of 32.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "engine/Cut.h"
#include "model/Globals.h"
#include "optimizer/Crossover.h"

// One candidate plan with its own copies of the job's records.
struct Agent {
    std::vector<std::int32_t> sheetOrder;  // permutation of sheet ids
    std::vector<std::int32_t> partOrder;   // permutation of part ids
    std::vector<std::int32_t> turn;        // 1: part partOrder[i] is turned
    std::vector<std::int32_t> turnable;    // moves with partOrder
    double fitness = 0.0;
    double bestSheetUse = 0.0;
    std::int32_t usedSheets = 0;
    std::vector<TSheetInfo> sheets;  // in sheetOrder after Decode; hold the layouts
    std::vector<TPartInfo> parts;    // always in the job's order
};

// Fills every gene array and record copy from the job lists.
void CreateRandom(Agent& agent, const std::vector<TPartInfo>& jobParts,
                  const std::vector<TSheetInfo>& jobSheets);
void Decode(Agent& agent);
void UndoTurns(Agent& agent);
// Lays out the candidate's sheets with its own working list.
void Evaluate(Agent& agent, WorkList& list);
void Exchange(Agent& a, Agent& b);
bool AllPartsPlaced(const Agent& agent);

// The ranking of both populations: higher fitness first; within 0.00001 of each
// other fewer used sheets first, then the higher best sheet utilisation.
bool Better(const Agent& p, const Agent& q);

struct GaOptions {
    int threads = 0;  // evaluation threads; 0 means one per core
    // Called on the running thread after every generation that does not end the run.
    std::function<void()> progress;
    // When set, the run ends after the current generation as if the stop test had fired.
    const std::atomic<bool>* stop = nullptr;
};

class EvaluationPool;

class GA {
  public:
    static constexpr int kPopulation = 32;

    explicit GA(GaOptions options = {});
    ~GA();

    // The whole search for the current job; afterwards population slot 0 is the result.
    void Run();
    Agent& Best() { return *population[0]; }
    // Generations of the evolution loop that ran (the evaluation before it is not one).
    int GenerationsRun() const { return generationsRun_; }

    // The steps of Run, callable one by one to inspect the search.

    // Creates both populations from the job lists, drawing as the candidates require.
    void CreatePopulations();
    // The recombination and mutation rates of a generation (reads g_maxgen).
    void SetRates(int generation);
    void SheetOrderCrossover();
    void PartOrderCrossover();
    void TurnCrossover();
    void TurnMutation();
    void Restart();
    // Decodes (when asked) and evaluates all 64 candidates, in parallel.
    void EvaluateAll(bool decode);
    void SortAndMerge();
    bool StopTest();
    double MeanOfBest9() const;

    float crossRate = 0.0f;
    float mutateRate = 0.0f;
    float lastMean = 0.0f;
    float lastBest = 1.0f;
    std::int32_t stallCount = 0;
    std::int32_t sameBestCount = 0;
    std::array<std::unique_ptr<Agent>, kPopulation> population;
    std::array<std::unique_ptr<Agent>, kPopulation> offspring;

  private:
    // The recombinations of one offspring slot, each drawing its own c, a, b.
    void CrossSheetOrder(Agent& child);
    void CrossPartOrder(Agent& child);
    void CrossTurn(Agent& child);

    GaOptions options_;
    int generationsRun_ = 0;
    OrderCrossover sheetCrossover_;
    OrderCrossover partCrossover_;
    std::unique_ptr<EvaluationPool> pool_;
};
