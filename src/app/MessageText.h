// Messages with values in them. Translations may reorder the values or hold a "%",
// so a translated text is never a printf template: named placeholders such as
// "{row}" are replaced in one pass, and replaced values are never scanned again.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

using MessageValues = std::initializer_list<std::pair<std::string_view, std::string>>;

// The text with every placeholder of `values` replaced by its value; unknown
// placeholders stay as they are.
std::string Substitute(std::string_view text, MessageValues values);
