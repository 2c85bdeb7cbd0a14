// Helpers of the shell tests: files, compiled catalogs and child processes run
// with a controlled environment.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tarvex {

namespace shelltest {

void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

// Compiles a catalog of `translations` (message id -> translation) into
// <localeDir>/<folder>/LC_MESSAGES/default.mo with msgfmt.
void MakeCatalog(const std::filesystem::path& localeDir, const std::string& folder,
                 const std::map<std::string, std::string>& translations);

// The catalogs and help pages the build placed beside the programs.
std::filesystem::path ShippedLocaleDir();
// The catalog sources in the repository.
std::filesystem::path CatalogSource(const std::string& code);

struct Output {
    int status;        // exit status, or -1 when the program did not exit normally
    std::string text;  // standard output and standard error together
};
// Runs a shell command and collects what it prints.
Output RunCommand(const std::string& command);
// Runs this test program again with `args` and exactly the environment `env`
// ("NAME=value" entries; nothing else is inherited).
Output RunSelf(const std::vector<std::string>& args, const std::vector<std::string>& env);

}  // namespace shelltest

}  // namespace tarvex
