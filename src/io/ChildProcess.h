// Work on untrusted input done in a forked child process with limits on its memory
// and time, so that a library that crashes, loops or corrupts memory on a hostile
// file takes down only the child. What the work returns comes back through a pipe.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tarvex {

struct ChildLimits {
    std::uint64_t memoryBytes;  // address space the child may add to what it starts with
    unsigned seconds;           // processor and wall-clock time
};

struct ChildOutcome {
    enum class End { kAnswered, kOutOfMemory, kOutOfTime, kCrashed, kNoAnswer };
    End end = End::kNoAnswer;
    int signal = 0;      // for kCrashed
    std::string answer;  // for kAnswered: everything the work returned
};

// Runs `work` in a child; an answer longer than `maxAnswer` bytes is no answer.
ChildOutcome RunInChild(const std::function<std::string()>& work, const ChildLimits& limits,
                        std::uint64_t maxAnswer);

}  // namespace tarvex
