// The one application object of this test program, made before the first test.
// Any other set-up that needs one finds it through QCoreApplication::instance().
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

class AppEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[11] = "test_shell";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

[[maybe_unused]] testing::Environment* const kAppEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace
