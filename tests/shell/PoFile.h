// Reads the entries of a gettext PO text: enough of the format for the catalogs
// and for what xgettext prints (continued strings, escapes, flags, contexts).
#pragma once

#include <string>
#include <vector>

namespace tarvex {

namespace shelltest {

struct PoEntry {
    std::string context;
    std::string id;
    std::string text;  // msgstr (msgstr[0] for plural entries)
    bool fuzzy = false;
    int line = 0;  // where the msgid stands
};

// The entries in file order, without the header entry (empty msgid).
std::vector<PoEntry> ParsePo(const std::string& text);

}  // namespace shelltest

}  // namespace tarvex
