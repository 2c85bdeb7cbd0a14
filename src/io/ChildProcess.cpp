#include "io/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fstream>
#include <new>

namespace tarvex {

namespace {

// Exit codes of the child beside 0, the answer written whole.
constexpr int kExitOutOfMemory = 3;
constexpr int kExitFailed = 4;
// The parent's own deadline in case the child's limits do not stop it (signals
// held back by the forking thread, a wait that uses no processor time).
constexpr int kGraceSeconds = 5;

// The address space the child starts with: the parent's, shared after the fork
// (thread stacks, libraries, a sanitizer's shadow memory).
std::uint64_t AddressSpaceInUse() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

[[noreturn]] void RunChild(int fd, const std::function<std::string()>& work,
                           const ChildLimits& limits) {
    sigset_t all;
    sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    for (int sig : {SIGALRM, SIGXCPU, SIGPIPE, SIGINT, SIGTERM}) std::signal(sig, SIG_DFL);
    const rlimit memory{AddressSpaceInUse() + limits.memoryBytes,
                        AddressSpaceInUse() + limits.memoryBytes};
    const rlimit cpu{limits.seconds, limits.seconds + 1};
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_AS, &memory);
    ::setrlimit(RLIMIT_CPU, &cpu);
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::alarm(limits.seconds);
    int code = 0;
    try {
        code = WriteAll(fd, work()) ? 0 : kExitFailed;
    } catch (const std::bad_alloc&) {
        code = kExitOutOfMemory;
    } catch (...) {
        code = kExitFailed;
    }
    // No exit handlers, no flushing of the parent's buffered output a second time.
    ::_exit(code);
}

// Reads until the child closes the pipe; false when the deadline passed or the
// answer grew too long.
bool Collect(int fd, std::uint64_t maxAnswer, unsigned seconds, std::string& answer, bool& late) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(seconds + kGraceSeconds);
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            late = true;
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        answer.append(buffer, static_cast<size_t>(n));
        if (answer.size() > maxAnswer) return false;
    }
}

}  // namespace

ChildOutcome RunInChild(const std::function<std::string()>& work, const ChildLimits& limits,
                        std::uint64_t maxAnswer) {
    int pipeFds[2];
    ChildOutcome outcome;
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return outcome;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return outcome;
    }
    if (pid == 0) {
        ::close(pipeFds[0]);
        RunChild(pipeFds[1], work, limits);
    }
    ::close(pipeFds[1]);
    bool late = false;
    const bool whole = Collect(pipeFds[0], maxAnswer, limits.seconds, outcome.answer, late);
    ::close(pipeFds[0]);
    if (!whole) ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const int sig = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    if (late || sig == SIGXCPU || sig == SIGALRM) {
        outcome.end = ChildOutcome::End::kOutOfTime;
    } else if (sig != 0 && whole) {
        outcome.end = ChildOutcome::End::kCrashed;
        outcome.signal = sig;
    } else if (whole && WIFEXITED(status) && WEXITSTATUS(status) == kExitOutOfMemory) {
        outcome.end = ChildOutcome::End::kOutOfMemory;
    } else if (whole && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        outcome.end = ChildOutcome::End::kAnswered;
    }
    if (outcome.end != ChildOutcome::End::kAnswered) outcome.answer.clear();
    return outcome;
}

}  // namespace tarvex
