// The benchmark instances of bench/instances: index.csv names each, with the best
// known sheet counts in free and guillotine placement; each instance's folder
// holds its parts.txt and sheets.txt, tab-separated as the program's lists.
#pragma once

#include <string>
#include <vector>

#include "job/JobRows.h"

namespace tarvex {

struct BenchInstance {
    std::string name;
    int knownFree = 0;
    int knownGuillotine = 0;
    std::vector<PartRow> parts;
    std::vector<SheetRow> sheets;
};

std::vector<std::string> SplitFields(const std::string& text, char separator);

// The non-empty lines of a file split into fields, line ends of either kind removed.
std::vector<std::vector<std::string>> ReadRows(const std::string& path, char separator);

// A part list and a sheet list of the program's TAB-separated form (label, length,
// width, quantity, rotatable; label, length, width, quantity, cost, priority).
// False when a file is missing, a row is short or either list is empty.
bool ReadLists(const std::string& partsPath, const std::string& sheetsPath,
               std::vector<PartRow>& parts, std::vector<SheetRow>& sheets);

// Whether a comma-separated list names the item.
bool Listed(const std::string& list, const std::string& item);

// The instances that `selection` names: "all", "none" or names separated by commas.
// One that cannot be read is reported on standard error and left out.
std::vector<BenchInstance> ReadInstances(const std::string& dir, const std::string& selection);

}  // namespace tarvex
