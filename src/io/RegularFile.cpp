#include "io/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/FileMessages.h"
#include "text/SystemErrors.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::string SizeLimitText(std::uint64_t limit) {
    return Substitute(_("larger than {1} MB"), {std::to_string(limit >> 20)});
}

// Opens without waiting for a writer (a FIFO) and refuses what is not a regular
// file; -1 with `fault` set otherwise.
int OpenRegular(const std::string& path, std::uint64_t limit, std::string& fault) {
    if (path.find('\0') != std::string::npos) {
        fault = _("the name holds a NUL character");
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        fault = SystemErrorText(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        fault = SystemErrorText(errno);
    else if (S_ISDIR(st.st_mode))
        fault = SystemErrorText(EISDIR);
    else if (!S_ISREG(st.st_mode))
        fault = _("not a regular file");
    else if (static_cast<std::uint64_t>(st.st_size) > limit)
        fault = SizeLimitText(limit);
    if (fault.empty()) return fd;
    ::close(fd);
    return -1;
}

}  // namespace

std::string PrintablePath(const std::string& path) {
    std::string shown;
    for (char c : path) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    return shown;
}

std::string RegularFileFault(const std::string& path, std::uint64_t limit) {
    std::string fault;
    const int fd = OpenRegular(path, limit, fault);
    if (fd >= 0) ::close(fd);
    return fault;
}

bool ReadRegularFile(const std::string& path, std::uint64_t limit, std::string& bytes,
                     std::string& error) {
    std::string fault;
    const int fd = OpenRegular(path, limit, fault);
    const auto fail = [&](const char* what) {
        error = Substitute(_(what), {PrintablePath(path), fault});
        return false;
    };
    if (fd < 0) return fail("Cannot open \"{1}\": {2}");
    std::string read;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fault = SystemErrorText(errno);
        if (n <= 0) break;
        read.append(buffer, static_cast<size_t>(n));
        // The file may grow while it is read.
        if (read.size() > limit) {
            fault = SizeLimitText(limit);
            break;
        }
    }
    ::close(fd);
    if (!fault.empty()) return fail("Cannot read \"{1}\": {2}");
    bytes = std::move(read);
    return true;
}

}  // namespace tarvex
