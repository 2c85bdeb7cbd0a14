// The best search against the classic search, as a calculation runs them: the
// instances in bench/instances (sheets against the best known), generated workshop
// jobs (sheets, cost, area and utilisation on the same jobs and seeds) and one large
// job (when the best plan first beats the classic one, the final gap, peak memory).
//
// Settings come from the environment:
//   TARVEX_BESTBENCH_SECTIONS  any of "instances,workshop,large" ("instances,workshop,large";
//                              "" for none)
//   TARVEX_BESTBENCH_TIME      time limit of the best search on instances, seconds ("5")
//   TARVEX_BESTBENCH_JOBTIME   time limit on workshop jobs ("10")
//   TARVEX_BESTBENCH_LARGETIME time limit on the large job ("60")
//   TARVEX_BESTBENCH_JOBS      number of workshop jobs ("10")
//   TARVEX_BESTBENCH_LARGE     parts of the large job ("5000")
//   TARVEX_BESTBENCH_THREADS   threads of both searches ("2")
//   TARVEX_BESTBENCH_MODES     "guillotine,free" ("guillotine,free")
//   TARVEX_BESTBENCH_INSTANCES "all" or a comma list of instance names ("all")
#pragma once

void RunBestBench();
