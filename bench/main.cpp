// The benchmark program: each section prints its own table. TARVEX_BENCH_SECTIONS
// chooses the sections ("engine,optimizer,best", all by default).
#include <cstdlib>
#include <string>

#include "BestBench.h"
#include "EngineBench.h"
#include "OptimizerBench.h"

int main() {
    const char* chosen = std::getenv("TARVEX_BENCH_SECTIONS");
    const std::string sections = chosen ? "," + std::string(chosen) + "," : ",engine,optimizer,best,";
    const auto wanted = [&](const char* name) {
        return sections.find("," + std::string(name) + ",") != std::string::npos;
    };
    if (wanted("engine")) RunEngineBench();
    if (wanted("optimizer")) RunOptimizerBench();
    if (wanted("best")) RunBestBench();
    return 0;
}
