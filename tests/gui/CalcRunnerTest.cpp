#include <gtest/gtest.h>

#include <QThread>
#include <atomic>

#include "UiWait.h"
#include "gui/CalcRunner.h"

using namespace tarvex;

TEST(CalcRunner, StepsArriveInTheWindowThreadAndTheEndComesLast) {
    CalcRunner runner;
    std::atomic<QThread*> workThread{nullptr};
    int steps = 0;
    int stepsAtEnd = -1;
    bool finished = false;
    QObject::connect(&runner, &CalcRunner::stepped, [&] {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        ++steps;
    });
    QObject::connect(&runner, &CalcRunner::finished, [&] {
        stepsAtEnd = steps;
        finished = true;
    });
    ASSERT_TRUE(runner.Start([&](const std::function<void()>& step, const std::atomic<bool>&) {
        workThread = QThread::currentThread();
        for (int i = 0; i < 25; ++i) step();
    }));
    EXPECT_TRUE(runner.Running());
    ASSERT_TRUE(WaitUntil([&] { return finished; }));
    EXPECT_NE(workThread.load(), QCoreApplication::instance()->thread());
    EXPECT_EQ(stepsAtEnd, 25);
    EXPECT_FALSE(runner.Running());
}

TEST(CalcRunner, RefusesASecondRunAndStopsOnRequest) {
    CalcRunner runner;
    bool finished = false;
    int generations = 0;
    QObject::connect(&runner, &CalcRunner::finished, [&] { finished = true; });
    ASSERT_TRUE(runner.Start([&](const std::function<void()>& step, const std::atomic<bool>& stop) {
        while (!stop) {
            ++generations;
            step();
            QThread::msleep(1);
        }
    }));
    EXPECT_FALSE(runner.Start([](const std::function<void()>&, const std::atomic<bool>&) {}));
    ASSERT_TRUE(WaitUntil([&] { return generations > 3; }));
    runner.RequestStop();
    ASSERT_TRUE(WaitUntil([&] { return finished; }));
    // A finished runner takes the next calculation.
    finished = false;
    ASSERT_TRUE(runner.Start([](const std::function<void()>&, const std::atomic<bool>&) {}));
    EXPECT_TRUE(WaitUntil([&] { return finished; }));
}

TEST(CalcRunner, DestroyingTheRunnerEndsAWorkThatWaitsForStop) {
    std::atomic<bool> ended{false};
    {
        CalcRunner runner;
        runner.Start([&](const std::function<void()>&, const std::atomic<bool>& stop) {
            while (!stop) QThread::msleep(1);
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}
