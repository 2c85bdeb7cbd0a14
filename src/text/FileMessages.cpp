#include "text/FileMessages.h"

#include "text/Translate.h"

namespace tarvex {

std::string Substitute(const std::string& text, const std::vector<std::string>& values) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '{') {
            const size_t close = text.find('}', i + 1);
            if (close != std::string::npos && close > i + 1 && close - i <= 3) {
                const std::string digits = text.substr(i + 1, close - i - 1);
                if (digits.find_first_not_of("0123456789") == std::string::npos) {
                    const size_t index = std::stoul(digits);
                    if (index >= 1 && index <= values.size()) {
                        out += values[index - 1];
                        i = close;
                        continue;
                    }
                }
            }
        }
        out += text[i];
    }
    return out;
}

std::string StoppedAtLine(const std::string& path, int line, const std::string& what) {
    return Substitute(_("Reading of \"{1}\" stopped at line {2}: {3}"),
                      {path, std::to_string(line), what});
}

}  // namespace tarvex
