#include "shell/Translate.h"

#include <libintl.h>

std::string _(const char* msgid) {
    if (!msgid || !*msgid) return {};
    return dgettext("default", msgid);
}
