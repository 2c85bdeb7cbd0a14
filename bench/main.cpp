// The benchmark program: each section prints its own table.
#include "BestBench.h"
#include "EngineBench.h"
#include "OptimizerBench.h"

int main() {
    RunEngineBench();
    RunOptimizerBench();
    RunBestBench();
    return 0;
}
