#include "support/WorkbookFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/ScratchFolder.h"

namespace tarvex {

namespace {

class WorkbookFolder {
  public:
    WorkbookFolder() {
        folder_ = NewScratchFolder("workbooks");
        // Debian's interpreter: the one on the PATH may not see the writer modules.
        const std::string command = "/usr/bin/python3 " TARVEX_SOURCE_DIR
                                    "/tests/support/make_workbooks.py '" +
                                    folder_.string() + "'";
        made_ = std::system(command.c_str()) == 0;
    }
    ~WorkbookFolder() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    std::string Path(const std::string& name) const {
        EXPECT_TRUE(made_) << "make_workbooks.py failed (python3-xlwt, python3-openpyxl, "
                              "python3-xlsxwriter and python3-olefile are needed)";
        return (folder_ / name).string();
    }

  private:
    std::filesystem::path folder_;
    bool made_ = false;
};

}  // namespace

std::string WorkbookPath(const std::string& name) {
    static const WorkbookFolder folder;
    return folder.Path(name);
}

}  // namespace tarvex
