// The genetic optimizer: candidates that fix the sheet order and the part turns,
// and the evolution loop over two populations of 32.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "engine/Cut.h"
#include "model/Job.h"
#include "optimizer/Crossover.h"
#include "optimizer/Random.h"
#include "optimizer/SearchedPlan.h"

namespace tarvex {

// One of a candidate's sheets: the job sheet it lays out (by id), where the
// placements and offcuts of its last evaluation lie in the candidate's lists, and
// its utilisation when it last received parts.
struct SheetLayout {
    std::int32_t id = 0;
    std::int32_t firstSpot = 0;
    std::int32_t spotCount = 0;
    std::int32_t firstOffcut = 0;
    std::int32_t offcutCount = 0;
    double utilisation = 0.0;
};

// One candidate plan: its genes and the scores and layouts of its last evaluation.
// The part and sheet records are the job's, shared by every candidate; a layout
// names them by id or position, so a candidate's size does not grow with labels.
struct Agent {
    std::vector<std::int32_t> sheetOrder;  // permutation of sheet ids
    std::vector<std::int32_t> partOrder;   // permutation of part ids
    std::vector<std::int32_t> turn;        // 1: part partOrder[i] is turned
    std::vector<std::int32_t> turnable;    // moves with partOrder
    // The parts lie as the turn genes say (from Decode to UndoTurns); otherwise
    // as the job's records lie.
    bool decoded = false;
    double fitness = 0.0;
    double bestSheetUse = 0.0;
    std::int32_t usedSheets = 0;
    std::vector<SheetLayout> sheets;  // in sheetOrder after Decode
    // The placements and offcuts of all sheets, sheet after sheet in the order of
    // the last evaluation: one list each rather than one per sheet keeps their
    // spare capacity to that of a single list.
    std::vector<PartSpot> spots;
    std::vector<Offcut> offcuts;

    std::span<const PartSpot> PartsOn(const SheetLayout& sheet) const;
    std::span<const Offcut> OffcutsOn(const SheetLayout& sheet) const;
};

// Fills every gene array and sheet layout from the job lists.
void CreateRandom(Agent& agent, const std::vector<Part>& jobParts,
                  const std::vector<Sheet>& jobSheets, RandomSource& random);
// Puts the sheets into gene order, clears the turn genes of parts that may not
// turn, and lets the turn genes decide how the parts lie.
void Decode(Agent& agent);
// The parts lie as the job's records again.
void UndoTurns(Agent& agent);
// Which of the job's parts (one mark per record of `jobParts`) the candidate lays
// out turned; of an id its order names twice, the later gene decides.
void PartTurns(const Agent& agent, const std::vector<Part>& jobParts, std::vector<char>& turned);
// Lays out the candidate's sheets of the job with its own working list and scores them.
void Evaluate(Agent& agent, WorkList& list, const Job& job, const CutSettings& settings);
void Exchange(Agent& a, Agent& b);
// Every one of the job's `partCount` parts lies on a sheet.
bool AllPartsPlaced(const Agent& agent, std::int32_t partCount);

// The candidate's plan: its sheets as full records of the job's sheets with their
// placements (labels, sizes and ids from the job's records) and offcuts, in the
// candidate's sheet order, with its fitness.
SearchedPlan CandidatePlan(const Agent& agent, const Job& job);

// The ranking of both populations: higher fitness first; within kScoreTolerance of each
// other fewer used sheets first, then the higher best sheet utilisation.
bool Better(const Agent& p, const Agent& q);

// The generations of a speed/quality setting (1 to 12): 11 to 132.
std::int32_t MaxGenerations(double speed);

struct GaOptions {
    int maxGenerations = MaxGenerations(4);
    std::optional<std::uint32_t> seed;  // from the clock when none is given
    int threads = 0;                    // evaluation threads; 0 means one per core
    // Called on the running thread after every generation that does not end the run.
    std::function<void()> progress;
    // When set, the run ends after the current generation as if the stop test had fired.
    const std::atomic<bool>* stop = nullptr;
};

// What the evolution carries from one generation to the next besides its
// candidates: the operators' rates and the figures the restart and the stop test
// compare (single precision on purpose, see GA::SetRates).
struct EvolutionState {
    float crossRate = 0.0f;
    float mutateRate = 0.0f;
    float lastMean = 0.0f;
    float lastBest = 1.0f;
    std::int32_t stallCount = 0;
    std::int32_t sameBestCount = 0;
};

class EvaluationPool;

class GA {
  public:
    static constexpr int kPopulation = 32;

    // The job and the settings must outlive the search.
    GA(const Job& job, const CutSettings& settings, GaOptions options = {});
    ~GA();

    // The whole search; afterwards population slot 0 is the result.
    void Run();
    std::uint32_t Seed() const { return random_.Seed(); }
    RandomSource& Random() { return random_; }
    Agent& Best() { return *population_[0]; }
    // Generations of the evolution loop that ran (the evaluation before it is not one).
    int GenerationsRun() const { return generationsRun_; }

    // The steps of Run, callable one by one to inspect the search.

    // Creates both populations from the job lists, drawing as the candidates require.
    void CreatePopulations();
    // The recombination and mutation rates of a generation.
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

    const EvolutionState& State() const { return state_; }
    // Puts the search into a state between two steps, to go on from there.
    void SetState(const EvolutionState& state) { state_ = state; }
    // Slot i (0 to kPopulation - 1) of the main population, where slot 0 holds the
    // best so far, and of the offspring; both exist once the populations are created.
    Agent& Candidate(int i) { return *population_[i]; }
    const Agent& Candidate(int i) const { return *population_[i]; }
    Agent& Offspring(int i) { return *offspring_[i]; }
    const Agent& Offspring(int i) const { return *offspring_[i]; }

  private:
    // The recombinations of one offspring slot, each drawing its own c, a, b.
    void CrossSheetOrder(Agent& child);
    void CrossPartOrder(Agent& child);
    void CrossTurn(Agent& child);

    const Job& job_;
    const CutSettings& settings_;
    GaOptions options_;
    RandomSource random_;
    int generationsRun_ = 0;
    EvolutionState state_;
    std::array<std::unique_ptr<Agent>, kPopulation> population_;
    std::array<std::unique_ptr<Agent>, kPopulation> offspring_;
    OrderCrossover sheetCrossover_;
    OrderCrossover partCrossover_;
    std::unique_ptr<EvaluationPool> pool_;
};

}  // namespace tarvex
