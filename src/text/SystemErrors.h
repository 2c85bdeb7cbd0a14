// The system's reasons for a failed file operation in the current language: the
// common ones translated, the others as the system words them.
#pragma once

#include <string>

namespace tarvex {

std::string SystemErrorText(int error);

}  // namespace tarvex
