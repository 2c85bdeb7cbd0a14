// The benchmark program: each section prints its own table.
#include "EngineBench.h"

int main() {
    RunEngineBench();
    return 0;
}
