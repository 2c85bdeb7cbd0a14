// Runs the real tarvex-cli in a fresh folder per test and reads what it wrote.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/ScratchFolder.h"

namespace tarvex {

using nlohmann::json;

inline const std::string kProgram = TARVEX_BINARY_DIR "/bin/tarvex-cli";
inline const std::string kExamples = TARVEX_SOURCE_DIR "/examples";

struct Outcome {
    int code = -1;
    std::string out, err;
};

inline std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// CR LF ended lines, without the empty rest after the last one.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines = Split(text, "\r\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

inline std::vector<std::string> Fields(const std::string& line) {
    return Split(line, "\t");
}

class Cli : public ::testing::Test {
  protected:
    void SetUp() override { dir = NewScratchFolder("cli"); }

    Outcome Run(const std::vector<std::string>& args) const {
        std::string command = "LANG=C.UTF-8 " + Quote(kProgram);
        for (const std::string& a : args) command += " " + Quote(a);
        command += " >" + Quote(dir + "/stdout") + " 2>" + Quote(dir + "/stderr") + " </dev/null";
        const int status = std::system(command.c_str());
        Outcome o;
        o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        o.out = ReadFile(dir + "/stdout");
        o.err = ReadFile(dir + "/stderr");
        return o;
    }
    std::string Path(const std::string& name) const { return dir + "/" + name; }

    std::string dir;
};

inline const std::string kKitchen = kExamples + "/kitchen/kitchen.dat";

}  // namespace tarvex
