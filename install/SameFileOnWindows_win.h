#pragma once
// Whether two paths name one file for Windows: letter case ignored as the file system ignores it, for
// every letter of the system's ANSI code page that has a case (not only A..Z), "/" as "\", and the dots
// and spaces that end a part dropped, as the path functions drop them.

#include <string>
#include <string_view>

// The key two paths share exactly when they name one file: the path in UTF-16 from the system's code
// page, folded as above, its bytes held in a string. Fits install::InstallPlan::NameKey.
std::string WindowsNameKey(std::string_view path);

bool SameFileOnWindows(std::string_view a, std::string_view b);
