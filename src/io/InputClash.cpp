#include "io/InputClash.h"

#include <sys/stat.h>

#include "io/RegularFile.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

bool Identify(const std::string& path, struct stat& st) {
    return !path.empty() && path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string OutputIsInput(const std::string& output, const std::vector<std::string>& inputs) {
    struct stat out {};
    if (output == "-" || !Identify(output, out)) return {};
    for (const std::string& input : inputs) {
        struct stat in {};
        if (Identify(input, in) && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return Substitute(_("Cannot write \"{1}\": it is the input file \"{2}\" of this job"),
                              {PrintablePath(output), PrintablePath(input)});
    }
    return {};
}

}  // namespace tarvex
