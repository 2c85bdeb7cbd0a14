// One Qt application object for a whole test program, made before the first test
// as the programs make theirs before anything else; the offscreen platform unless
// QT_QPA_PLATFORM names another.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>

namespace tarvex {

template <class App>
class QtAppEnvironment : public testing::Environment {
  public:
    // `started` runs once the application exists: Qt's constructor resets the
    // process locale, which a set-up of the translation has to follow.
    explicit QtAppEnvironment(std::function<void()> started = {}) : started_(std::move(started)) {}

    void SetUp() override {
        if (QCoreApplication::instance()) return;
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app_ = std::make_unique<App>(argc_, argv_);
        if (started_) started_();
    }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    std::function<void()> started_;
    std::unique_ptr<App> app_;
};

}  // namespace tarvex
