#include "BenchInstances.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvex {

std::vector<std::vector<std::string>> ReadRows(const std::string& path, char separator) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) rows.push_back(SplitFields(line, separator));
    }
    return rows;
}

bool ReadLists(const std::string& partsPath, const std::string& sheetsPath,
               std::vector<PartRow>& parts, std::vector<SheetRow>& sheets) try {
    int row = 0;
    for (const auto& f : ReadRows(partsPath, '\t')) {
        if (f.size() < 5) return false;
        parts.push_back(
            {f[0], std::stod(f[1]), std::stod(f[2]), std::stoi(f[3]), f[4] == "Yes", ++row});
    }
    row = 0;
    for (const auto& f : ReadRows(sheetsPath, '\t')) {
        if (f.size() < 6) return false;
        sheets.push_back({f[0], std::stod(f[1]), std::stod(f[2]), std::stoi(f[3]), std::stod(f[4]),
                          f[5] == "Yes", ++row});
    }
    return !parts.empty() && !sheets.empty();
} catch (const std::exception&) {  // a number that does not read
    return false;
}

std::vector<std::string> SplitFields(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(text);
    while (std::getline(in, field, separator)) fields.push_back(field);
    if (!text.empty() && text.back() == separator) fields.emplace_back();
    return fields;
}

bool Listed(const std::string& list, const std::string& item) {
    const auto items = SplitFields(list, ',');
    return std::find(items.begin(), items.end(), item) != items.end();
}

std::vector<BenchInstance> ReadInstances(const std::string& dir, const std::string& selection) {
    std::vector<BenchInstance> instances;
    if (selection == "none") return instances;
    const auto index = ReadRows(dir + "/index.csv", ',');
    for (std::size_t r = 1; r < index.size(); ++r) {
        const auto& fields = index[r];
        if (fields.size() < 6) continue;
        if (selection != "all" && !Listed(selection, fields[0])) continue;
        BenchInstance instance;
        instance.name = fields[0];
        instance.knownFree = std::stoi(fields[4]);
        instance.knownGuillotine = std::stoi(fields[5]);
        const std::string folder = dir + "/" + fields[0];
        if (!ReadLists(folder + "/parts.txt", folder + "/sheets.txt", instance.parts,
                       instance.sheets)) {
            std::fprintf(stderr, "bench: cannot read instance %s in %s\n", fields[0].c_str(),
                         dir.c_str());
            continue;
        }
        instances.push_back(std::move(instance));
    }
    return instances;
}

}  // namespace tarvex
