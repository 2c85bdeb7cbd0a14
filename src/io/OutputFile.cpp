#include "io/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "io/RegularFile.h"
#include "text/FileMessages.h"
#include "text/SystemErrors.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxLinkHops = 40;  // the system's own limit on nested links
// A temporary younger than this may belong to a write still going on elsewhere.
constexpr std::time_t kStaleSeconds = 60;

std::string Describe(const std::string& path, int err) {
    return Substitute(_("Cannot write \"{1}\": {2}"), {PrintablePath(path), SystemErrorText(err)});
}

bool WriteAll(int fd, const std::string& content) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The file a write to `path` lands in: symbolic links followed to their end, which
// need not exist yet. 0, or the error that stopped the following.
int FollowLinks(const std::string& path, fs::path& end) {
    end = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(end, ec))) return 0;
        const fs::path target = fs::read_symlink(end, ec);
        if (ec) return ec.value();
        end = target.is_absolute() ? target : end.parent_path() / target;
    }
    return ELOOP;
}

bool WriteToStandardOutput(const std::string& content, std::string& error) {
    // What went out through stdio before must stay ahead of this.
    if (std::fwrite(content.data(), 1, content.size(), stdout) == content.size() &&
        std::fflush(stdout) == 0)
        return true;
    error =
        Substitute(_("Cannot write the result to standard output: {1}"), {SystemErrorText(errno)});
    return false;
}

// Devices and pipes cannot be replaced and need no temporary.
bool WriteDirectly(const std::string& path, const fs::path& file, const std::string& content,
                   std::string& error) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = Describe(path, errno);
        return false;
    }
    bool ok = WriteAll(fd, content);
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) error = Describe(path, err);
    return ok;
}

// "NAME.tmp-" and six characters of mkstemp's alphabet.
bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// A run killed between creating its temporary and renaming it left the
// temporary behind.
void RemoveStaleTemporaries(const fs::path& file) {
    const std::string prefix = file.filename().string() + ".tmp-";
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const std::time_t now = std::time(nullptr);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& entry = it->path();
        struct stat st {};
        if (!IsTemporaryOf(entry.filename().string(), prefix) || ::lstat(entry.c_str(), &st) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || now - st.st_mtime < kStaleSeconds)
            continue;
        ::unlink(entry.c_str());
    }
}

bool ReplaceRegular(const std::string& path, const fs::path& file, const struct stat* previous,
                    const std::string& content, std::string& error) {
    RemoveStaleTemporaries(file);
    std::string temp = file.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = Describe(path, errno);
        return false;
    }
    bool ok = WriteAll(fd, content);
    int err = errno;
    // mkstemp creates the file 0600; keep the permissions of the file it replaces.
    ::fchmod(fd, previous ? (previous->st_mode & 07777) : 0644);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), file.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        error = Describe(path, err);
    }
    return ok;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const std::string& content, std::string& error) {
    if (path == "-") return WriteToStandardOutput(content, error);
    if (path.empty() || path.find('\0') != std::string::npos) {
        error = Describe(path, ENOENT);
        return false;
    }
    fs::path file;
    if (const int err = FollowLinks(path, file); err != 0) {
        error = Describe(path, err);
        return false;
    }
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return ReplaceRegular(path, file, nullptr, content, error);
    if (S_ISDIR(st.st_mode)) {
        error = Describe(path, EISDIR);
        return false;
    }
    if (!S_ISREG(st.st_mode)) return WriteDirectly(path, file, content, error);
    // Root may write anything; a file nobody may write is still meant to stay.
    if ((st.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0) {
        error = Substitute(_("Cannot write \"{1}\": the file is read-only"), {PrintablePath(path)});
        return false;
    }
    return ReplaceRegular(path, file, &st, content, error);
}

}  // namespace tarvex
