#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/Signal.h"

namespace ostrellix {
namespace {

struct Listener {
    Listener(Signal<int>& signal, std::vector<std::string>& log, std::string name) {
        connection = signal.Connect([&log, name](int value) { log.push_back(name + std::to_string(value)); });
    }
    Connection connection;
};

TEST(SignalTest, HandlersRunInOrderUntilReleased) {
    Signal<int> signal;
    std::vector<std::string> log;
    {
        Listener a(signal, log, "a"), b(signal, log, "b");
        signal.Raise(1);
    }
    signal.Raise(2);
    EXPECT_EQ(log, (std::vector<std::string>{"a1", "b1"}));
    EXPECT_EQ(signal.HandlerCount(), 0u);
}

TEST(SignalTest, ListenerReleasedMidDispatchIsNotCalled) {
    Signal<int> signal;
    std::vector<std::string> log;
    std::optional<Listener> second;
    Connection first = signal.Connect([&](int) {
        log.push_back("first");
        second.reset();
    });
    second.emplace(signal, log, "second");
    signal.Raise(1);
    EXPECT_EQ(log, (std::vector<std::string>{"first"}));
}

TEST(SignalTest, HandlerMayDisconnectItselfAndConnectOthers) {
    Signal<> signal;
    int selfCalls = 0, lateCalls = 0;
    Connection self, late;
    self = signal.Connect([&] {
        ++selfCalls;
        self.Disconnect();
        late = signal.Connect([&] { ++lateCalls; });
    });
    signal.Raise();
    EXPECT_EQ(lateCalls, 0);  // connected during the raise: waits for the next one
    signal.Raise();
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(lateCalls, 1);
}

TEST(SignalTest, OwnerDestroyedDuringRaiseStopsTheRest) {
    auto signal = std::make_unique<Signal<>>();
    int after = 0;
    Connection killer = signal->Connect([&] { signal.reset(); });
    Connection next = signal->Connect([&] { ++after; });
    signal->Raise();
    EXPECT_EQ(after, 0);
    EXPECT_FALSE(next.Connected());  // and disconnecting later is harmless
    next.Disconnect();
}

TEST(SignalTest, HandlersAnswerThroughReferences) {
    Signal<bool&> beforeWrite;
    Connection veto = beforeWrite.Connect([](bool& cancel) { cancel = true; });
    bool cancel = false;
    beforeWrite.Raise(cancel);
    EXPECT_TRUE(cancel);
}

TEST(SignalTest, MovedConnectionKeepsTheSubscription) {
    Signal<> signal;
    int calls = 0;
    Connection moved;
    {
        Connection original = signal.Connect([&] { ++calls; });
        moved = std::move(original);
    }
    signal.Raise();
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace ostrellix
