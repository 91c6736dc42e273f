// Three defaults of the C++ runtime library that the setup program replaces, because each would bring
// tens of kilobytes into its image: on 32-bit Windows the link cannot leave out the library's unused
// functions, whose unwind tables keep every function of an object file alive. A definition here takes
// the place of the library's; the tests link the library's own.
#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

// What std::terminate calls. libstdc++'s handler names the uncaught exception's type on stderr, which
// a windowed program does not have, and links the whole C++ name demangler for it; this one ends the
// program the same way without a word.
namespace __gnu_cxx {

void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx

// How the standard strings and containers throw. libstdc++'s throwers build std::length_error and its
// siblings around a reference-counted string type whose every member comes along, with the library's
// other exception classes. Here a failed allocation still throws std::bad_alloc; the errors of misuse
// (a size beyond max_size, a position past the end, a string from a null pointer) throw one small
// exception. Both still end at the dialog procedure's catch; nothing in the setup catches the misuse
// errors by their standard types or reads their text, so the library's messages are left out: the call
// sites then no longer carry them.
// Only the throwers the setup's code calls are here. Code that calls another one (std::stoi's
// invalid_argument, say) brings the library's whole set back: the link optimized as a whole then takes
// the library's in place of these (any other stops at their second definition), and the test
// setup_image names what came back. Decide then whether that error may change its type too.
namespace {

class LibraryMisuse : public std::exception {
public:
    const char* what() const noexcept override { return "a standard string or container was misused"; }
};

}  // namespace

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_length_error(const char*) {
    throw LibraryMisuse();
}

void __throw_logic_error(const char*) {
    throw LibraryMisuse();
}

void __throw_out_of_range_fmt(const char*, ...) {
    throw LibraryMisuse();
}

}  // namespace std

// Where the runtime records the exceptions being handled: the ones caught and not yet finished, and
// the count of those thrown and not yet caught. libstdc++ keeps one record per thread in emulated
// thread-local storage, which brings libgcc's emulation of it along. The setup runs its code on one
// thread, so one record serves; the layout is the Itanium C++ ABI's.
namespace __cxxabiv1 {

struct __cxa_eh_globals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};

namespace {

__cxa_eh_globals exceptionsBeingHandled;

}  // namespace

extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    return &exceptionsBeingHandled;
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return &exceptionsBeingHandled;
}

}  // namespace __cxxabiv1
