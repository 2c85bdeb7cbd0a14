// Whole classic calculations, as tarvex-cli runs them, on generated jobs and on the
// benchmark instances in bench/instances: wall time with one thread and with all
// cores, evaluations per second, generations run, sheets used against the area
// bound and the best known, and whether the plan is the same for every thread count.
//
// Settings come from the environment so that the program's own options stay free:
//   TARVEX_OPTBENCH_SIZES      generated job sizes in parts ("100,1000,5000"; "" for none)
//   TARVEX_OPTBENCH_SPEEDS     speed/quality settings ("4,12")
//   TARVEX_OPTBENCH_THREADS    thread counts, 0 for all cores ("1,0")
//   TARVEX_OPTBENCH_INSTANCES  "all", "none" or a comma list of instance names ("all")
//   TARVEX_OPTBENCH_MODE       "free" or "guillotine" ("free")
//   TARVEX_OPTBENCH_SEED       seed of every run ("1")
//   TARVEX_OPTBENCH_REPEAT     runs of each setting; the fastest counts ("1")
//   TARVEX_OPTBENCH_DIR        folder of the instances (the source tree's bench/instances)
#pragma once

namespace tarvex {

void RunOptimizerBench();

}  // namespace tarvex
