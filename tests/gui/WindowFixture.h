// The real main window with its dialogs answered by the test and its settings file
// in a folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "ScriptedDialogs.h"
#include "gui/MainWindow.h"
#include "text/Translate.h"

namespace tarvex {

inline std::string Text(const QString& text) {
    return text.toStdString();
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage("en_us"); }
    void TearDown() override {
        window.reset();
        SetLanguage("en_us");
    }

    // Creates the window as a start with this settings file would.
    MainWindow& Open(const std::string& settings = "[Common]\r\nLanguage=en_us\r\n") {
        std::ofstream(SettingsFile(), std::ios::binary) << settings;
        window = std::make_unique<MainWindow>(dialogs, Files());
        window->show();
        QApplication::setActiveWindow(window.get());
        return *window;
    }

    WindowFiles Files() const {
        WindowFiles files{SettingsFile(),
                          {},
                          std::filesystem::path(TARVEX_BINARY_DIR) / "bin" / "locale",
                          RecoveryDir()};
        files.recoveryDelay = recoveryDelay;
        return files;
    }
    std::filesystem::path RecoveryDir() const {
        return std::filesystem::path(folder.path().toStdString()) / "recovery";
    }
    std::filesystem::path SettingsFile() const {
        return std::filesystem::path(folder.path().toStdString()) / "velkor.db";
    }
    std::string Path(const char* name) const {
        return (std::filesystem::path(folder.path().toStdString()) / name).string();
    }

    template <class T>
    T* Find(const char* name) const {
        T* found = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    std::chrono::milliseconds recoveryDelay{30000};  // as the program has it
    std::unique_ptr<MainWindow> window;
};

}  // namespace tarvex
