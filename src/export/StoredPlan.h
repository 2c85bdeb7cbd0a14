// A plan stored beside its project (NAME.plan.json for NAME.dat), written and read
// by the window and the command line alike: the result JSON, plus what shows the
// plan again without a calculation: the job's parts, the settings the plan was
// made with, each sheet's unit cost and merge, and the rows it was made from as
// typed (the sheets with the plan's "Left Quant"). The file does not hold which row
// each record came from: reading links them again as job input gathered them.
#pragma once

#include <memory>
#include <string>

#include "job/AppliedResult.h"

namespace tarvex {

struct StoredPlan {
    std::shared_ptr<const AppliedResult> result;  // with the rows it was made from
    // The search started from a seed the user gave, not a new one: opening the
    // plan's project gives "Seed:" that seed again.
    bool fixedSeed = false;
};

// The plan file of a project: its name with ".plan.json" for ".dat".
std::string PlanPathOf(const std::string& projectPath);

// The text of the plan file.
std::string StoredPlanJson(const StoredPlan& plan);
bool WriteStoredPlan(const std::string& path, const StoredPlan& plan, std::string& error);

// Reads a plan file and checks it as every plan is checked before it is applied.
// A file that is damaged, made up or of another program gives false and a
// message naming the file and the fault; reading never throws or crashes.
bool ReadStoredPlan(const std::string& path, StoredPlan& plan, std::string& error);

}  // namespace tarvex
