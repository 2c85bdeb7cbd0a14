// The settings file: read whatever it holds; when a language can be stored in it,
// it reads back as stored.
#include <cstdlib>

#include "FuzzFile.h"
#include "shell/SettingsFile.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::AsFile(data, size, "velkor.db");
    ReadUpdateUrl(path);
    ReadLanguage(path);
    if (SaveLanguage(path, "zh_cn") && ReadLanguage(path) != "zh_cn") std::abort();
    return 0;
}
