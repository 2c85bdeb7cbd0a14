#include <gtest/gtest.h>

#include <cstdlib>

#include "ShellTestUtil.h"
#include "support/ScratchFolder.h"
#include "text/AppPaths.h"

using namespace tarvex;

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (had_) {
            setenv(name_, old_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

  private:
    const char* name_;
    bool had_;
    std::string old_;
};

}  // namespace

TEST(UserFilePath, ProgramFolderWhenItKeepsFilesElseTheUsersFolder) {
    ScopedEnv home("HOME", "/home/ann");
    EXPECT_EQ(UserFilePath("/opt/t", true, "XDG_CONFIG_HOME", ".config", "velkor.db"),
              fs::path("/opt/t/velkor.db"));
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(UserFilePath("/opt/t", false, "XDG_CONFIG_HOME", ".config", "velkor.db"),
                  fs::path("/cfg/tarvex/velkor.db"));
    }
    {
        ScopedEnv xdg("XDG_CACHE_HOME", "relative/cache");  // ignored: not absolute
        EXPECT_EQ(UserFilePath("/opt/t", false, "XDG_CACHE_HOME", ".cache", "updates.db"),
                  fs::path("/home/ann/.cache/tarvex/updates.db"));
    }
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UserFilePath("/opt/t", false, "XDG_CONFIG_HOME", ".config", "velkor.db"),
              fs::path("/home/ann/.config/tarvex/velkor.db"));
}

// A writable folder is not enough: root may write to /usr/bin, where an installed
// program must not keep the user's settings.
TEST(UserFilePath, OnlyAProgramFolderHoldingItsSettingsKeepsFilesBesideIt) {
    const fs::path dir = NewScratchFolder("shell");
    EXPECT_FALSE(KeepsFilesBesideProgram(dir));
    shelltest::WriteBytes(dir / "velkor.db", "[Common]\r\n");
    EXPECT_TRUE(KeepsFilesBesideProgram(dir));
}

TEST(AppPaths, BuildRunsInPlaceWithItsOwnCatalogsAndSettings) {
    const fs::path bin = fs::path(TARVEX_BINARY_DIR) / "bin";
    EXPECT_EQ(fs::canonical(ProgramDir()), fs::canonical(bin));
    EXPECT_EQ(LocaleDir(), ProgramDir() / "locale");
    EXPECT_EQ(SettingsFilePath(), ProgramDir() / "velkor.db");
    EXPECT_EQ(UpdatesFilePath(), ProgramDir() / "updates.db");
    EXPECT_TRUE(fs::is_regular_file(bin / "velkor.db"));
}
