// The window's recovery copy of work not saved yet: written at most once per
// delay after a change while anything is unsaved, removed once nothing is. A
// lock beside each copy, held by the window that writes it, tells a copy of a
// window still running from one that a crash or a kill left behind.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "io/RecoveryCopy.h"

class QLockFile;

namespace tarvex {

class RecoveryKeeper : public QObject {
    Q_OBJECT

  public:
    // `unsaved` gives the work to keep, nothing when all of it is saved. Without a
    // folder no copy is kept.
    RecoveryKeeper(std::filesystem::path folder, std::chrono::milliseconds delay,
                   std::function<std::optional<RecoveryCopy>()> unsaved, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Something changed: the copy follows within the delay, unless one is due already.
    void Changed();
    // Writes the copy at once, or removes it when nothing is unsaved.
    void Keep();
    // Nothing is unsaved any more (saved, or discarded at the user's word).
    void Discard();

    // The copy this window keeps; empty while it keeps none.
    const std::filesystem::path& Path() const { return path_; }
    // The copies that no running window keeps, newest first.
    std::vector<std::filesystem::path> LeftBehind() const;
    // Removes a copy left behind.
    static void Remove(const std::filesystem::path& copy);

  private:
    // A name for the copy of the project's work that no other window holds.
    bool TakeName(const std::string& projectPath);

    std::filesystem::path folder_;
    std::function<std::optional<RecoveryCopy>()> unsaved_;
    QTimer timer_;
    std::filesystem::path path_;
    std::string projectPath_;  // the project the copy's name was taken for
    std::unique_ptr<QLockFile> lock_;
    bool warned_ = false;  // a copy that cannot be written is said once
};

}  // namespace tarvex
