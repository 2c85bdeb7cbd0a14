// The evolution loop. Every random draw happens on the running thread in a
// fixed order; the evaluations draw nothing, so running them in parallel leaves
// the plan of a seed unchanged.
#include "optimizer/Ga.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "model/Tolerances.h"
#include "optimizer/EvaluationPool.h"
#include "optimizer/Random.h"

namespace tarvex {

namespace {

constexpr int kRestartAfter = 6;
constexpr int kStopAfter = 9;

int ThreadCount(int requested) {
    if (requested <= 0) requested = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(requested, 1, 2 * GA::kPopulation);
}

// An operator acts in a generation unless its draw exceeds its rate.
bool GateOpen(float rate, RandomSource& random) {
    return static_cast<float>(random.Unit()) <= rate;
}

void MutateTurn(Agent& agent, RandomSource& random) {
    const int k = random.Index(static_cast<int>(agent.turn.size()));
    if (k < static_cast<int>(agent.turn.size()) && agent.turnable[k] == 1)
        agent.turn[k] = 1 - agent.turn[k];
}

}  // namespace

std::int32_t MaxGenerations(double speed) {
    return static_cast<std::int32_t>(speed * 11.0);
}

GA::GA(const Job& job, const CutSettings& settings, GaOptions options)
    : job_(job),
      settings_(settings),
      options_(std::move(options)),
      random_(options_.seed ? *options_.seed : RandomSource::ClockSeed()) {}

GA::~GA() = default;

void GA::CreatePopulations() {
    for (int i = 0; i < kPopulation; ++i) {
        population_[i] = std::make_unique<Agent>();
        offspring_[i] = std::make_unique<Agent>();
        CreateRandom(*population_[i], job_.Parts(), job_.Sheets(), random_);
        CreateRandom(*offspring_[i], job_.Parts(), job_.Sheets(), random_);
    }
    std::vector<std::int32_t> ids;
    for (const Sheet& s : job_.Sheets()) ids.push_back(s.id);
    sheetCrossover_.SetIds(ids);
    ids.clear();
    for (const Part& p : job_.Parts()) ids.push_back(p.id);
    partCrossover_.SetIds(ids);
}

// The rates, the restart's and the stop test's figures are single precision on
// purpose: the gates compare draws rounded to single precision with them, and
// the tests' thresholds see the rounded means, so the plan of every seed depends
// on that rounding.
void GA::SetRates(int generation) {
    const float stepMutate = static_cast<float>(0.5 / options_.maxGenerations);
    const float stepCross = static_cast<float>(0.8 / options_.maxGenerations);
    // The product of a generation number and a single-precision step is exact in
    // double precision.
    state_.crossRate = static_cast<float>(0.9 - static_cast<double>(generation) * stepCross);
    state_.mutateRate = static_cast<float>(static_cast<double>(generation) * stepMutate + 0.1);
}

void GA::CrossSheetOrder(Agent& child) {
    const int c = random_.Index(static_cast<int>(child.sheetOrder.size()));
    const Agent& p = *population_[random_.Parent()];
    const Agent& q = *population_[random_.Parent()];
    sheetCrossover_.Apply(p.sheetOrder, q.sheetOrder, c, child.sheetOrder);
}

void GA::CrossPartOrder(Agent& child) {
    const int c = random_.Index(static_cast<int>(child.partOrder.size()));
    const Agent& p = *population_[random_.Parent()];
    const Agent& q = *population_[random_.Parent()];
    partCrossover_.Apply(p.partOrder, p.turnable, q.partOrder, q.turnable, c, child.partOrder,
                         child.turnable);
}

void GA::CrossTurn(Agent& child) {
    const int c = random_.Index(static_cast<int>(child.turn.size()));
    const Agent& p = *population_[random_.Parent()];
    const Agent& q = *population_[random_.Parent()];
    OnePointCrossover(p.turn, q.turn, c, child.turn);
}

void GA::SheetOrderCrossover() {
    if (!GateOpen(state_.crossRate, random_)) return;
    for (auto& child : offspring_) CrossSheetOrder(*child);
}

void GA::PartOrderCrossover() {
    if (!GateOpen(state_.crossRate, random_)) return;
    for (auto& child : offspring_) CrossPartOrder(*child);
}

void GA::TurnCrossover() {
    if (!GateOpen(state_.crossRate, random_)) return;
    for (auto& child : offspring_) CrossTurn(*child);
}

void GA::TurnMutation() {
    if (!GateOpen(state_.mutateRate, random_)) return;
    // Slot 0, the best so far, is never mutated.
    for (int i = 1; i < kPopulation; ++i) MutateTurn(*population_[i], random_);
}

void GA::Restart() {
    const double best = population_[0]->fitness;
    if (static_cast<float>(std::fabs(best - state_.lastBest)) > kScoreTolerance) {
        state_.sameBestCount = 0;
        state_.lastBest = static_cast<float>(best);
        return;
    }
    if (++state_.sameBestCount != kRestartAfter) return;
    const float mean = static_cast<float>(MeanOfBest9());
    // The count stays at 6 here, so the restart is not tried again until the best changes.
    if (state_.lastMean <= 0) return;
    if (std::fabs(state_.lastMean - mean) / state_.lastMean >= 0.1 || best <= 0) {
        state_.sameBestCount = 0;
        return;
    }
    for (int i = kPopulation / 2; i < kPopulation; ++i) {
        MutateTurn(*population_[i], random_);
        CrossTurn(*offspring_[i]);
        CrossSheetOrder(*offspring_[i]);
        CrossPartOrder(*offspring_[i]);
    }
    state_.sameBestCount = 0;
}

void GA::EvaluateAll(bool decode) {
    if (!pool_) pool_ = std::make_unique<EvaluationPool>(ThreadCount(options_.threads));
    pool_->Run(2 * kPopulation, [this, decode](int index, WorkList& list) {
        Agent& agent = index < kPopulation ? *population_[index] : *offspring_[index - kPopulation];
        if (decode) Decode(agent);
        Evaluate(agent, list, job_, settings_);
    });
}

void GA::SortAndMerge() {
    for (auto* slots : {&population_, &offspring_}) {
        for (int i = 0; i < kPopulation; ++i)
            for (int j = i; j < kPopulation; ++j)
                if (Better(*(*slots)[j], *(*slots)[i])) Exchange(*(*slots)[i], *(*slots)[j]);
    }
    // The weaker half of the main population against the offspring's better half,
    // worst against best; slot 0 is never reached.
    for (int i = kPopulation / 2; i < kPopulation; ++i) {
        const int k = kPopulation - 1 - i;
        if (Better(*offspring_[k], *population_[i])) Exchange(*population_[i], *offspring_[k]);
    }
}

double GA::MeanOfBest9() const {
    double sum = 0;
    for (int i = 0; i < 9; ++i) sum += population_[i]->fitness;
    return sum * (1.0 / 9.0);
}

bool GA::StopTest() {
    const float mean = static_cast<float>(MeanOfBest9());
    const float last = state_.lastMean;
    const float rel = last > kScoreTolerance ? std::fabs(last - mean) / last : 0.0f;
    bool stop = false;
    if (rel < 0.001) {
        state_.stallCount += 1;
        stop = state_.stallCount >= kStopAfter;
    } else {
        state_.stallCount = 0;
    }
    state_.lastMean = mean;
    return stop;
}

void GA::Run() {
    generationsRun_ = 0;
    CreatePopulations();
    state_.stallCount = 0;
    state_.sameBestCount = 0;
    state_.lastBest = 1.0f;
    state_.lastMean = 0.0f;

    EvaluateAll(false);
    for (int gen = 0; gen < options_.maxGenerations; ++gen) {
        SetRates(gen);
        SheetOrderCrossover();
        PartOrderCrossover();
        TurnCrossover();
        TurnMutation();
        Restart();
        EvaluateAll(true);
        SortAndMerge();
        generationsRun_ = gen + 1;
        if (StopTest()) break;
        if (options_.stop && options_.stop->load()) break;
        for (int j = 0; j < kPopulation; ++j) {
            UndoTurns(*population_[j]);
            UndoTurns(*offspring_[j]);
        }
        if (options_.progress) options_.progress();
    }
    pool_.reset();
}

}  // namespace tarvex
