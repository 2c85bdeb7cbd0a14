// The field split as written down: find the first delimiter, by rank, anywhere in
// the trimmed remainder, cut there, trim both sides, repeat. Quadratic, so only
// for short lines; the fast split must give the same.
#pragma once

#include <string>
#include <vector>

#include "text/FieldSplit.h"

namespace tarvex {

inline std::vector<std::string> ReferenceSplit(const std::string& line,
                                               const std::string& delimiters) {
    std::vector<std::string> fields;
    std::string rest = TrimControls(line);
    for (;;) {
        size_t p = std::string::npos;
        for (char d : delimiters)
            if ((p = rest.find(d)) != std::string::npos) break;
        if (p == std::string::npos) break;
        fields.push_back(TrimControls(rest.substr(0, p)));
        rest = TrimControls(rest.substr(p + 1));
    }
    if (!rest.empty()) fields.push_back(rest);
    return fields;
}

}  // namespace tarvex
