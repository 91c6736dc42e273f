#pragma once
// A line too long for its place, cut in the middle: its start and its end around "…", as much of both
// as fits. The end gets the extra character, since a file's name is there. The text is UTF-16, so a
// double-byte character of the code page is one unit and is never split; neither is a surrogate pair.

#include <string>

// Whether `text` fits; asked a few times (a binary search), never for the uncut text twice.
using TextFits = bool (*)(const std::wstring& text, void* context);

std::wstring CutInTheMiddle(const std::wstring& text, TextFits fits, void* context);
