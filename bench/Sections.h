// The sections of the benchmark program; each prints its tables through the report.
#pragma once

#include "BenchRun.h"
#include "BenchTable.h"

namespace tarvex {

// The multi-stock instances (several sheet sizes, cost = area), best search
// against the classic one and the best known 2-stage cost, at several time limits.
void RunMultiStockSection(const BenchOptions& options, BenchReport& report);
// The classic bin-packing instances: sheets against the best known.
void RunClassicInstancesSection(const BenchOptions& options, BenchReport& report);
// Generated instances of the classic classes: sheets against the lower bounds.
void RunGeneratedClassesSection(const BenchOptions& options, BenchReport& report);
// Generated kitchen and wardrobe jobs: best against classic.
void RunCabinetSection(const BenchOptions& options, BenchReport& report);
// A 5,000-part cabinet job with three board sizes and costs.
void RunLargeSection(const BenchOptions& options, BenchReport& report);
// A 100,000-part job: wall time and peak memory of each search in its own process.
void RunHugeSection(const BenchOptions& options, BenchReport& report);

}  // namespace tarvex
