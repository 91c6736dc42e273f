// What std::terminate calls unless told otherwise. libstdc++'s own handler names the uncaught
// exception's type on stderr, which a windowed program does not have, and for that it links the
// whole C++ name demangler into the image; this one ends the program the same way without a word.
// Linked into the setup program only: a definition here takes the place of the library's.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler();

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
