// The widget tests' application object, made before the first test. Another set-up
// that needs one finds it through QCoreApplication::instance().
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class AppEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[8] = "test_ui";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kAppEnvironment =
    testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace
