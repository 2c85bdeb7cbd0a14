// The translated texts of a window, remembered by message id so that a change of
// language can translate them again from the ids (never from a translation, and
// without the additions made at run time, such as a project name in a caption).
// Font names and user data are never registered.
//
// Owners are opaque keys (for example a widget's address): a dialog that goes away
// calls Forget with its key so no setter outlives its widget.
#pragma once

#include <functional>
#include <string>
#include <vector>

class TextRegistry {
  public:
    using Setter = std::function<void(const std::string& text)>;

    // Remembers that `setter` shows the message `msgid` and applies its
    // translation at once.
    void Add(const void* owner, std::string msgid, Setter setter);
    // Remembers a text built from several messages (for example a list of items);
    // `apply` looks them up itself, now and at every retranslation.
    void AddBuilder(const void* owner, std::function<void()> apply);
    // Drops every text of `owner`.
    void Forget(const void* owner);
    // Translates every remembered text again, in the order they were added.
    void RetranslateAll() const;
    // The message ids registered for `owner`, in the order they were added.
    std::vector<std::string> MessageIds(const void* owner) const;

  private:
    struct Entry {
        const void* owner;
        std::string msgid;  // empty for builders
        std::function<void()> apply;
    };
    std::vector<Entry> entries_;
};
