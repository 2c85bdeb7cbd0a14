// One QApplication for the whole test program, created before the first test.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "shell/Translate.h"

namespace {

class UiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
        InitTranslation(std::filesystem::path(TARVEX_BINARY_DIR) / "bin" / "locale");
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

  private:
    QApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new UiEnvironment);

}  // namespace
