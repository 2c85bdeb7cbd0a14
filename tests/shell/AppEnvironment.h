// The one application object of a test program, made before the first test. Any
// other set-up that needs one finds it through QCoreApplication::instance().
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

template <typename Application>
class AppEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        if (QCoreApplication::instance()) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<Application>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<Application> app_;
};
