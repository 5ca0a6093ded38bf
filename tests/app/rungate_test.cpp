// One run at a time: runs asked for during a run follow it in order, and a run that throws frees the gate.
#include "app/rungate.h"

#include "support/timefakes.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace vantrelo {
namespace {

TEST(RunGate, RunsAskedForDuringARunFollowItInOrder) {
    test::TFakeScheduler scheduler;
    TRunGate gate(scheduler);
    std::vector<int> order;
    const bool first = gate.Run([&] {
        // Inside the run, as if the nested loop of a clipboard wait delivered Enter and a hotkey.
        EXPECT_FALSE(gate.Run([&] {
            order.push_back(2);
            return true;
        }));
        EXPECT_FALSE(gate.Run([&] {
            order.push_back(3);
            return true;
        }));
        order.push_back(1);
        return true;
    });
    EXPECT_TRUE(first);
    EXPECT_EQ(order, std::vector<int>{1});
    EXPECT_FALSE(gate.Running());
    scheduler.RunAll();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(RunGate, AFailedOrThrowingRunFreesTheGate) {
    test::TFakeScheduler scheduler;
    TRunGate gate(scheduler);
    EXPECT_FALSE(gate.Run([] { return false; }));
    EXPECT_THROW(gate.Run([]() -> bool { throw std::runtime_error("broken"); }), std::runtime_error);
    EXPECT_FALSE(gate.Running());
    EXPECT_TRUE(gate.Run([] { return true; }));
    EXPECT_TRUE(scheduler.tasks.empty());
}

} // namespace
} // namespace vantrelo
