// Translation of the program's texts: English message ids looked up in the
// gettext catalog of the current language (text domain "default").
#pragma once

#include <string>

// The translation of a message id; a text without a translation comes back unchanged.
std::string _(const char* msgid);
inline std::string _(const std::string& msgid) { return _(msgid.c_str()); }
