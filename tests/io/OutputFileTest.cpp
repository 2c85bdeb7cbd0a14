// Writing outputs: what a path is decides how it is written, and nothing that was
// there is lost or turned into something else.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "io/OutputFile.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Entries(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// A link to a file, directly or through a relative chain into another folder: the
// links stay, the file at the end gets the new content, no temporary stays behind.
TEST(OutputFile, WritingThroughLinksReplacesTheirTarget) {
    const std::string dir = NewScratchFolder("output");
    fs::create_directory(dir + "/real");
    Write(dir + "/real/plan.json", "old");
    fs::create_symlink("real/plan.json", dir + "/first");
    fs::create_symlink("first", dir + "/second");
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir + "/second", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir + "/first")));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir + "/second")));
    EXPECT_EQ(Read(dir + "/real/plan.json"), "new");
    EXPECT_EQ(Entries(dir + "/real"), std::vector<std::string>{"plan.json"});

    // A link to nothing yet makes its target.
    fs::create_symlink("real/made.txt", dir + "/dangling");
    ASSERT_TRUE(WriteFileAtomic(dir + "/dangling", "made", error)) << error;
    EXPECT_EQ(Read(dir + "/real/made.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir + "/dangling")));
}

// A file no one may write stays as it is, even for root, who could rename over it.
TEST(OutputFile, AReadOnlyFileIsRefused) {
    const std::string dir = NewScratchFolder("output");
    const std::string path = dir + "/report.txt";
    Write(path, "kept");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(path, "new", error));
    EXPECT_EQ(error, "Cannot write \"" + path + "\": the file is read-only");
    EXPECT_EQ(Read(path), "kept");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"report.txt"});
}

// Devices and pipes are written in place: the node stays, a full device is a
// failure naming the path.
TEST(OutputFile, DevicesAndPipesAreWrittenDirectly) {
    const std::string dir = NewScratchFolder("output");
    std::string error;
    EXPECT_FALSE(WriteFileAtomic("/dev/full", "{}", error));
    EXPECT_EQ(error, "Cannot write \"/dev/full\": the disk is full");

    fs::create_symlink("/dev/null", dir + "/nowhere");
    ASSERT_TRUE(WriteFileAtomic(dir + "/nowhere", "{}", error)) << error;
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir + "/nowhere")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Read(fifo); });
    const std::string big(1 << 20, 'p');  // more than the pipe holds at once
    const bool written = WriteFileAtomic(fifo, big, error);
    reader.join();
    EXPECT_TRUE(written) << error;
    EXPECT_EQ(received, big);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(dir), (std::vector<std::string>{"nowhere", "pipe"}));
}

// Temporaries of this path that a killed run left (untouched for a minute) go
// with the next write; a fresh one may be another run's and others' names are
// not ours.
TEST(OutputFile, StaleTemporariesOfThePathAreRemoved) {
    const std::string dir = NewScratchFolder("output");
    const std::vector<std::string> left = {"out.txt.tmp-a1B2c3", "out.txt.tmp-Fresh1",
                                           "out.txt.tmp-toolong", "other.txt.tmp-a1B2c3"};
    for (const std::string& name : left) Write(dir + "/" + name, "partial");
    const timeval hourAgo[2] = {{std::time(nullptr) - 3600, 0}, {std::time(nullptr) - 3600, 0}};
    for (const char* stale :
         {"/out.txt.tmp-a1B2c3", "/out.txt.tmp-toolong", "/other.txt.tmp-a1B2c3"})
        ASSERT_EQ(utimes((dir + stale).c_str(), hourAgo), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomic(dir + "/out.txt", "done", error)) << error;
    EXPECT_EQ(Entries(dir),
              (std::vector<std::string>{"other.txt.tmp-a1B2c3", "out.txt", "out.txt.tmp-Fresh1",
                                        "out.txt.tmp-toolong"}));
}
