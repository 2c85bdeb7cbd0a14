#include "gui/RecoveryKeeper.h"

#include <QLockFile>
#include <algorithm>
#include <cstdio>

namespace tarvex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCopySuffix = ".recovery.json";
// Enough names for the windows of one project open at a time.
constexpr int kMostNames = 100;

QString LockOf(const fs::path& copy) {
    return QString::fromStdString(copy.string() + ".lock");
}

// A lock is held for as long as its window runs, however long that is; only a
// lock whose process has gone is stale.
std::unique_ptr<QLockFile> TryLock(const fs::path& copy) {
    auto lock = std::make_unique<QLockFile>(LockOf(copy));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

}  // namespace

RecoveryKeeper::RecoveryKeeper(fs::path folder, std::chrono::milliseconds delay,
                               std::function<std::optional<RecoveryCopy>()> unsaved,
                               QObject* parent)
    : QObject(parent), folder_(std::move(folder)), unsaved_(std::move(unsaved)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delay);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::Keep);
}

// A window that ends without saving or discarding (a crash in a handler) leaves
// its copy for the next start; its lock goes with it.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::Changed() {
    if (!timer_.isActive()) timer_.start();
}

void RecoveryKeeper::Keep() {
    timer_.stop();
    const std::optional<RecoveryCopy> copy = folder_.empty() ? std::nullopt : unsaved_();
    if (!copy) {
        Discard();
        return;
    }
    if (path_.empty() || projectPath_ != copy->projectPath) {
        Discard();
        if (!TakeName(copy->projectPath)) return;
    }
    std::string error;
    if (!WriteRecoveryCopy(path_.string(), *copy, error) && !warned_) {
        warned_ = true;
        std::fprintf(stderr, "%s\n", error.c_str());
    }
}

void RecoveryKeeper::Discard() {
    timer_.stop();
    if (path_.empty()) return;
    std::error_code ignored;
    fs::remove(path_, ignored);
    lock_.reset();
    path_.clear();
    projectPath_.clear();
}

bool RecoveryKeeper::TakeName(const std::string& projectPath) {
    std::error_code error;
    fs::create_directories(folder_, error);
    for (int n = 1; n <= kMostNames; ++n) {
        const fs::path candidate = folder_ / RecoveryFileName(projectPath, n);
        std::unique_ptr<QLockFile> lock = TryLock(candidate);
        // Held by a window running, or left by one that crashed: not this window's.
        if (!lock || fs::exists(candidate, error)) continue;
        lock_ = std::move(lock);
        path_ = candidate;
        projectPath_ = projectPath;
        return true;
    }
    return false;
}

std::vector<fs::path> RecoveryKeeper::LeftBehind() const {
    std::vector<std::pair<fs::file_time_type, fs::path>> found;
    std::error_code error;
    if (folder_.empty()) return {};
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path() == path_ || name.size() <= std::char_traits<char>::length(kCopySuffix) ||
            !name.ends_with(kCopySuffix) || !entry.is_regular_file(error))
            continue;
        if (!TryLock(entry.path())) continue;  // its window still runs
        found.emplace_back(entry.last_write_time(error), entry.path());
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<fs::path> copies;
    for (const auto& [time, path] : found) copies.push_back(path);
    return copies;
}

void RecoveryKeeper::Remove(const fs::path& copy) {
    std::error_code ignored;
    fs::remove(copy, ignored);
}

}  // namespace tarvex
