// Placeholder benchmark program; the layout engine benchmark replaces it.
#include <cstdio>

#include "OptimizerBench.h"

int main() {
    std::puts("tarvex-bench: nothing measured yet");
    RunOptimizerBench();
    return 0;
}
