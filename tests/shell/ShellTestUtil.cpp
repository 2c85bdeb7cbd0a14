#include "ShellTestUtil.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tarvex {

namespace fs = std::filesystem;

namespace shelltest {

namespace {

std::string PoQuote(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    return text;
}

int ExitStatus(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace

void WriteBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void MakeCatalog(const fs::path& localeDir, const std::string& folder,
                 const std::map<std::string, std::string>& translations) {
    const fs::path dir = localeDir / folder / "LC_MESSAGES";
    std::string po = "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
    for (const auto& [id, text] : translations) {
        po += "msgid " + PoQuote(id) + "\nmsgstr " + PoQuote(text) + "\n\n";
    }
    WriteBytes(dir / "default.po", po);
    const Output out = RunCommand("msgfmt -o '" + (dir / "default.mo").string() + "' '" +
                                  (dir / "default.po").string() + "'");
    ASSERT_EQ(out.status, 0) << out.text;
}

fs::path ShippedLocaleDir() {
    return fs::path(TARVEX_BINARY_DIR) / "bin" / "locale";
}

fs::path CatalogSource(const std::string& code) {
    return fs::path(TARVEX_SOURCE_DIR) / "resources" / "locale" / code / "LC_MESSAGES" /
           "default.po";
}

Output RunCommand(const std::string& command) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot run " + command};
    std::string text = ReadAll(fileno(pipe));
    return {ExitStatus(pclose(pipe)), text};
}

Output RunSelf(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    int fds[2];
    if (pipe(fds) != 0) return {-1, "no pipe"};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char*> argv{const_cast<char*>("/proc/self/exe")};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        execve("/proc/self/exe", argv.data(), envp.data());
        _exit(127);
    }
    close(fds[1]);
    std::string text = ReadAll(fds[0]);
    close(fds[0]);
    int raw = 0;
    waitpid(pid, &raw, 0);
    return {ExitStatus(raw), text};
}

}  // namespace shelltest

}  // namespace tarvex
