#pragma once
// The end of a run that cannot go on: memory ran out, or a standard string or container was misused.
// The program built without C++ exceptions does not unwind; the runtime's failure points call
// EndOnFatalError, which lets the setup say why (a box, or a line of its log) and ends the process.

// What ended the run: memory ran out, or the runtime failed otherwise (a misuse, a terminate).
enum class FatalError { OutOfMemory, Internal };

using FatalErrorHandler = void (*)(FatalError what);

// The handler tells the user; it must not return to the failed code. Null for none.
void SetFatalErrorHandler(FatalErrorHandler handler);

// Calls the handler once (a failure inside it ends at once) and ends the process with exit code 2.
[[noreturn]] void EndOnFatalError(FatalError what);

inline constexpr int kExitFatalError = 2;
