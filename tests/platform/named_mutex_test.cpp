// Tests of named mutexes inside one process: existence, ownership, recursion and threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/named_mutex.h"

#ifdef _WIN32
#include <process.h>
#define VARNOLE_GETPID _getpid
#else
#include <unistd.h>
#define VARNOLE_GETPID getpid
#endif

namespace {

using platform::NamedMutex;

// A name no other test run uses at the same time.
std::string UniqueName(const char* base) {
    static std::atomic<int> s_nSerial{0};
    return std::string("VARNOLE_Test_") + base + "_" + std::to_string(VARNOLE_GETPID()) + "_" +
           std::to_string(++s_nSerial);
}

TEST(NamedMutex, SecondCreateFindsTheFirstAndCloseEndsIt) {
    const std::string name = UniqueName("exists");
    EXPECT_FALSE(NamedMutex::Exists(name));
    NamedMutex first;
    ASSERT_EQ(first.Create(name, false), platform::kSuccess);
    EXPECT_TRUE(first.IsOpen());
    EXPECT_TRUE(NamedMutex::Exists(name));

    NamedMutex second;
    EXPECT_EQ(second.Create(name, false), platform::kErrorAlreadyExists);
    EXPECT_TRUE(second.IsOpen());

    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(NamedMutex::Exists(name));  // the second object still holds it open
    second.Close();
    EXPECT_FALSE(NamedMutex::Exists(name));

    NamedMutex third;
    EXPECT_EQ(third.Create(name, false), platform::kSuccess);
}

TEST(NamedMutex, NamesAreDistinct) {
    const std::string name = UniqueName("distinct");
    NamedMutex a;
    ASSERT_EQ(a.Create(name + "_A", false), platform::kSuccess);
    EXPECT_FALSE(NamedMutex::Exists(name + "_B"));
    EXPECT_FALSE(NamedMutex::Exists(name + "_a"));  // names are case-sensitive
    NamedMutex b;
    EXPECT_EQ(b.Create(name + "_B", false), platform::kSuccess);
}

TEST(NamedMutex, DestructorEndsIt) {
    const std::string name = UniqueName("scope");
    {
        NamedMutex scoped;
        ASSERT_EQ(scoped.Create(name, true), platform::kSuccess);
        EXPECT_TRUE(NamedMutex::Exists(name));
    }
    EXPECT_FALSE(NamedMutex::Exists(name));
}

TEST(NamedMutex, UnopenedObjectRefusesOwnership) {
    NamedMutex never;
    EXPECT_FALSE(never.IsOpen());
    EXPECT_EQ(never.Acquire(0), platform::kErrorInvalidHandle);
    never.Release();  // harmless
    EXPECT_EQ(never.Create("", false), platform::kErrorInvalidName);
}

// Runs `body` on another thread and waits for it (ownership belongs to threads).
template <typename F>
void OnOtherThread(F body) {
    std::thread worker(body);
    worker.join();
}

TEST(NamedMutex, OwnerBlocksOtherThreadsUntilReleased) {
    const std::string name = UniqueName("owner");
    NamedMutex owner;
    ASSERT_EQ(owner.Create(name, true), platform::kSuccess);

    OnOtherThread([&] {
        NamedMutex other;
        EXPECT_EQ(other.Create(name, false), platform::kErrorAlreadyExists);
        EXPECT_EQ(other.Acquire(0), platform::kErrorTimeout);
        EXPECT_EQ(other.Acquire(20), platform::kErrorTimeout);
    });

    owner.Release();
    OnOtherThread([&] {
        NamedMutex other;
        EXPECT_EQ(other.Create(name, false), platform::kErrorAlreadyExists);
        EXPECT_EQ(other.Acquire(0), platform::kSuccess);
        other.Release();
    });
}

TEST(NamedMutex, OwnerMayTakeItAgainAndMustReleaseAsOften) {
    const std::string name = UniqueName("recursive");
    NamedMutex owner;
    ASSERT_EQ(owner.Create(name, false), platform::kSuccess);
    ASSERT_EQ(owner.Acquire(0), platform::kSuccess);
    ASSERT_EQ(owner.Acquire(0), platform::kSuccess);
    owner.Release();
    OnOtherThread([&] { EXPECT_EQ(owner.Acquire(0), platform::kErrorTimeout); });
    owner.Release();
    OnOtherThread([&] {
        EXPECT_EQ(owner.Acquire(0), platform::kSuccess);
        owner.Release();
    });
}

TEST(NamedMutex, InitialOwnershipIsNotGrantedWhenItAlreadyExists) {
    const std::string name = UniqueName("initial");
    NamedMutex first;
    ASSERT_EQ(first.Create(name, false), platform::kSuccess);
    std::atomic<int> step{0};
    std::thread other([&] {
        NamedMutex second;
        EXPECT_EQ(second.Create(name, true), platform::kErrorAlreadyExists);
        step = 1;
        while (step != 2) std::this_thread::yield();  // stay alive with the object open
    });
    while (step != 1) std::this_thread::yield();
    // Had the second Create taken ownership, the live thread would still hold it.
    EXPECT_EQ(first.Acquire(0), platform::kSuccess);
    first.Release();
    step = 2;
    other.join();
}

TEST(NamedMutex, ClosingWhileOwnedLetsTheNextWaiterIn) {
    const std::string name = UniqueName("close_owned");
    NamedMutex keeper;
    ASSERT_EQ(keeper.Create(name, false), platform::kSuccess);
    NamedMutex owner;
    ASSERT_EQ(owner.Create(name, true), platform::kErrorAlreadyExists);
    ASSERT_EQ(owner.Acquire(0), platform::kSuccess);
    owner.Close();
    OnOtherThread([&] {
        EXPECT_EQ(keeper.Acquire(0), platform::kSuccess);
        keeper.Release();
    });
}

TEST(NamedMutex, WaiterGetsItWhenTheOwnerReleases) {
    const std::string name = UniqueName("handover");
    NamedMutex owner;
    ASSERT_EQ(owner.Create(name, true), platform::kSuccess);
    std::atomic<bool> waiting{false};
    std::atomic<platform::ErrorCode> result{999};
    std::thread waiter([&] {
        NamedMutex other;
        other.Create(name, false);
        waiting = true;
        result = other.Acquire(60000);  // generous: the release comes as soon as it waits
        other.Release();
    });
    while (!waiting) std::this_thread::yield();
    owner.Release();
    waiter.join();
    EXPECT_EQ(result.load(), platform::kSuccess);
}

}  // namespace
