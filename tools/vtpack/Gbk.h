#pragma once
// Names travel in the archive in code page 936 (GBK), the ANSI code page of the Windows the setup is
// made for; on the build host they are UTF-8. ASCII passes unchanged both ways.

#include <string>
#include <string_view>

// False when the text holds a character the other side cannot represent.
bool Utf8ToGbk(std::string_view utf8, std::string& gbk);
bool GbkToUtf8(std::string_view gbk, std::string& utf8);
