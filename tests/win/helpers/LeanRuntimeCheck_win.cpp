// Linked the way the shipped setup is, with its own replacements of C++ runtime parts: exceptions are
// thrown, caught, nested, rethrown and counted through them as through the library's. Prints what went
// wrong and exits 1; exits 0 when all held.
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

int failures = 0;

void Expect(bool held, const char* what) {
    if (!held) {
        std::printf("FAIL: %s\n", what);
        ++failures;
    }
}

struct CountsUncaught {
    int* seen;
    ~CountsUncaught() { *seen = std::uncaught_exceptions(); }
};

void ThrowWhileCounting(int* seen) {
    CountsUncaught guard{seen};
    throw 7;
}

}  // namespace

int main() {
    // A container's misuse error: the setup's own thrower, caught by the standard base.
    try {
        std::string text("abc");
        text.reserve(text.max_size() + 1);
        Expect(false, "reserve beyond max_size throws");
    } catch (const std::exception& error) {
        Expect(std::strstr(error.what(), "misused") != nullptr, "the misuse error says what it is");
    }

    // A failed allocation stays std::bad_alloc.
    try {
        std::vector<char> huge;
        huge.resize(huge.max_size() / 2);
        Expect(false, "an impossible allocation throws");
    } catch (const std::bad_alloc&) {
    } catch (...) {
        Expect(false, "an impossible allocation throws std::bad_alloc");
    }

    // The count of exceptions in flight, seen from a destructor during unwinding and after it.
    int seen = -1;
    try {
        ThrowWhileCounting(&seen);
    } catch (int value) {
        Expect(value == 7, "the thrown value arrives");
    }
    Expect(seen == 1, "one exception in flight while unwinding");
    Expect(std::uncaught_exceptions() == 0, "no exception in flight afterwards");

    // An exception thrown and caught inside a handler, then the outer one rethrown.
    try {
        try {
            throw std::string("outer");
        } catch (const std::string&) {
            try {
                throw 1;
            } catch (int) {
                Expect(std::current_exception() != nullptr, "the inner exception is current in its handler");
            }
            throw;
        }
    } catch (const std::string& outer) {
        Expect(outer == "outer", "the rethrown exception is the outer one");
    } catch (...) {
        Expect(false, "the rethrown exception keeps its type");
    }
    Expect(std::current_exception() == nullptr, "no exception current after the handlers");

    // An exception kept beyond its handler and thrown again.
    std::exception_ptr kept;
    try {
        throw 42;
    } catch (...) {
        kept = std::current_exception();
    }
    try {
        std::rethrow_exception(kept);
    } catch (int value) {
        Expect(value == 42, "a kept exception is thrown again with its value");
    }

    std::printf("%s\n", failures == 0 ? "exceptions hold" : "exceptions broken");
    return failures == 0 ? 0 : 1;
}
