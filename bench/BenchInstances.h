// The benchmark instances of bench/instances: index.csv names each, with the best
// known sheet counts in free and guillotine placement; each instance's folder
// holds its parts.txt and sheets.txt, tab-separated as the program's lists.
#pragma once

#include <string>
#include <vector>

#include "job/JobRows.h"

struct BenchInstance {
    std::string name;
    int knownFree = 0;
    int knownGuillotine = 0;
    std::vector<PartRow> parts;
    std::vector<SheetRow> sheets;
};

std::vector<std::string> SplitFields(const std::string& text, char separator);

// Whether a comma-separated list names the item.
bool Listed(const std::string& list, const std::string& item);

// The instances that `selection` names: "all", "none" or names separated by commas.
// One that cannot be read is reported on standard error and left out.
std::vector<BenchInstance> ReadInstances(const std::string& dir, const std::string& selection);
