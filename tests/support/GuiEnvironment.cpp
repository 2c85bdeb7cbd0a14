// The application object the painting tests need (fonts, palette), created once
// for the whole program on the offscreen platform.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

namespace {

class GuiEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app_ = new QGuiApplication(argc_, argv_);
    }
    void TearDown() override { delete app_; }

  private:
    int argc_ = 1;
    char name_[9] = "test_app";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
