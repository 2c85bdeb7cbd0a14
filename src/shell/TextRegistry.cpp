#include "shell/TextRegistry.h"

#include <algorithm>
#include <utility>

#include "shell/Translate.h"

void TextRegistry::Add(const void* owner, std::string msgid, Setter setter) {
    auto apply = [msgid, setter = std::move(setter)] { setter(_(msgid)); };
    apply();
    entries_.push_back({owner, std::move(msgid), std::move(apply)});
}

void TextRegistry::AddBuilder(const void* owner, std::function<void()> apply) {
    apply();
    entries_.push_back({owner, {}, std::move(apply)});
}

void TextRegistry::Forget(const void* owner) {
    std::erase_if(entries_, [owner](const Entry& e) { return e.owner == owner; });
}

void TextRegistry::RetranslateAll() const {
    // A setter may create or forget entries (a list refilled on a language
    // change); work on a copy so that never invalidates this loop.
    const std::vector<Entry> entries = entries_;
    for (const Entry& e : entries) e.apply();
}

std::vector<std::string> TextRegistry::MessageIds(const void* owner) const {
    std::vector<std::string> ids;
    for (const Entry& e : entries_) {
        if (e.owner == owner && !e.msgid.empty()) ids.push_back(e.msgid);
    }
    return ids;
}
