// Workbooks written by independent spreadsheet writers (make_workbooks.py), made once
// per test run in a temporary folder that is removed at exit.
#pragma once

#include <string>

namespace tarvex {

std::string WorkbookPath(const std::string& name);

}  // namespace tarvex
