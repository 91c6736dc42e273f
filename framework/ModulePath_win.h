#pragma once
// The full path of the running program's file, in UTF-16 and of any length: the ANSI functions lose
// characters the system code page cannot write and stop at MAX_PATH.

#include <string>

// Empty when the system gives none.
std::wstring RunningModulePath();
