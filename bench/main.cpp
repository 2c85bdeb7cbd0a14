// The benchmark program: each section prints its own table.
#include "EngineBench.h"
#include "OptimizerBench.h"

int main() {
    RunEngineBench();
    RunOptimizerBench();
    return 0;
}
