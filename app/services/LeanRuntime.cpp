// Defaults of the C++ runtime library that the setup program replaces, because each would bring
// tens of kilobytes into its image: on 32-bit Windows the link cannot leave out the library's unused
// functions, whose unwind tables keep every function of an object file alive. A definition here takes
// the place of the library's; the tests link the library's own.
#include <cxxabi.h>

#include <cstddef>
#include <cstdlib>
#include <new>

#include "framework/FatalError.h"

// What std::terminate calls. libstdc++'s handler names the uncaught exception's type on stderr, which
// a windowed program does not have, and links the whole C++ name demangler for it; this one ends the
// program through the setup's fatal error handler instead.
namespace __gnu_cxx {

void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    EndOnFatalError(FatalError::Internal);
}

}  // namespace __gnu_cxx

// How the standard strings and containers fail. The setup is built without exceptions, so nothing
// could catch what libstdc++'s throwers throw, and each would bring the library's exception classes
// and the unwinder along. Here a failed allocation and an error of misuse (a size beyond max_size, a
// position past the end, a string from a null pointer) end the run with its one message instead.
// Only the throwers the setup's code calls are here. Code that calls another one (std::stoi's
// invalid_argument, say) brings the library's whole set back: the link optimized as a whole then takes
// the library's in place of these (any other stops at their second definition), and the test
// setup_image names what came back.
namespace std {

void __throw_bad_alloc() {
    EndOnFatalError(FatalError::OutOfMemory);
}

void __throw_bad_array_new_length() {
    EndOnFatalError(FatalError::OutOfMemory);
}

void __throw_length_error(const char*) {
    EndOnFatalError(FatalError::Internal);
}

void __throw_logic_error(const char*) {
    EndOnFatalError(FatalError::Internal);
}

void __throw_out_of_range_fmt(const char*, ...) {
    EndOnFatalError(FatalError::Internal);
}

void __throw_bad_function_call() {
    EndOnFatalError(FatalError::Internal);
}

}  // namespace std

// The tag of the nothrow allocations. The library defines it beside its new_handler, whose object file
// would come along with it.
namespace std {

const nothrow_t nothrow{};

}  // namespace std

// The allocation functions. The library's throw std::bad_alloc from code built with exceptions, and
// its nothrow forms catch that; these end the run or answer null directly. The setup sets no
// new_handler, so there is nothing to retry.
void* operator new(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) {
        EndOnFatalError(FatalError::OutOfMemory);
    }
    return block;
}

void* operator new[](std::size_t size) {
    return ::operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size ? size : 1);
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete[](void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

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
