// The non-owning function reference: it calls the caller's own callable, not a copy, so what the call
// changes is seen by the caller; plain functions and const callables are referred to alike.
#include <gtest/gtest.h>

#include <string>

#include "framework/FunctionRef.h"

namespace {

int Twice(int value) {
    return 2 * value;
}

int CallWith(FunctionRef<int(int)> f, int value) {
    return f(value);
}

}  // namespace

TEST(FunctionRef, CallsTheCallersOwnCallable) {
    int calls = 0;
    auto counting = [&calls, seen = std::string()](int value) mutable {
        seen += std::to_string(value);
        ++calls;
        return static_cast<int>(seen.size());
    };
    EXPECT_EQ(CallWith(counting, 7), 1);
    EXPECT_EQ(CallWith(counting, 42), 3);  // the lambda's own state, kept between the calls
    EXPECT_EQ(calls, 2);

    const auto constant = [](int value) { return value + 1; };
    EXPECT_EQ(CallWith(constant, 1), 2);
    EXPECT_EQ(CallWith(&Twice, 21), 42);  // a function by its pointer
    EXPECT_EQ(CallWith([](int value) { return -value; }, 5), -5);
}

TEST(FunctionRef, EmptyUntilGivenACallable) {
    FunctionRef<void()> none;
    FunctionRef<void()> null = nullptr;
    EXPECT_FALSE(none);
    EXPECT_FALSE(null);
    bool called = false;
    const auto mark = [&called] { called = true; };
    FunctionRef<void()> some = mark;
    ASSERT_TRUE(some);
    some();
    EXPECT_TRUE(called);
}
