// The line that shows the best search's plan so far, in the current language.
#pragma once

#include <string>

#include "optimizer/BestSearch.h"

namespace tarvex {

std::string BestProgressText(const BestProgress& best);

}  // namespace tarvex
