// The shell tests run with a QCoreApplication, as the programs do: its constructor
// resets the process locale, which the translation set-up has to cope with.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

class QtAppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        static int argc = 1;
        static char name[] = "test_shell";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

  private:
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace
