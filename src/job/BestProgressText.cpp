#include "job/BestProgressText.h"

#include <cstdio>

#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

}  // namespace

std::string BestProgressText(const BestProgress& best) {
    return Substitute(_("best plan: {1} sheets, cost {2}, utilisation {3} %, {4} s left"),
                      {std::to_string(best.sheets), Fixed(best.cost, 2),
                       Fixed(best.utilisation * 100, 2), Fixed(best.secondsLeft, 1)});
}

}  // namespace tarvex
