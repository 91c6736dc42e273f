#include "framework/FatalError.h"

#include <cstdlib>

namespace {

FatalErrorHandler fatalErrorHandler = nullptr;
bool ending = false;

}  // namespace

void SetFatalErrorHandler(FatalErrorHandler handler) {
    fatalErrorHandler = handler;
}

void EndOnFatalError(FatalError what) {
    // The handler may itself run out of memory: the second failure must not loop back into it.
    if (!ending && fatalErrorHandler) {
        ending = true;
        fatalErrorHandler(what);
    }
    std::_Exit(kExitFatalError);
}
