// Runs the tools users check outputs with (python3, pdfinfo, zbarimg, chromium).
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tarvex {

struct CommandResult {
    int status = -1;  // the exit status; -1 when the command did not end normally
    std::string output;
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, pipe)) result.output += buffer;
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

inline bool HaveTool(const std::string& path) {
    return std::filesystem::exists(path);
}

}  // namespace tarvex
