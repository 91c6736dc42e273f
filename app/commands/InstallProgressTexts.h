#pragma once
// The install progress window's texts, GBK bytes (code page 936); the comment beside each shows it.
// Simplified Chinese for the Language list's first position, English for every other, as "Install OK!".

namespace progresstexts {

struct Texts {
    const char* checking;
    const char* installing;  // followed by the file's name
    const char* cancelButton;
    const char* cancelQuestion;
    const char* finishing;       // while the files move into place, Cancel disabled
    const char* shutdownReason;  // what Windows shows for the setup when it holds up a logoff or shutdown
};

inline constexpr Texts kChinese = {
    "\xD5\xFD\xD4\xDA\xBC\xEC\xB2\xE9\xB0\xB2\xD7\xB0\xCE\xC4\xBC\xFE\xA1\xAD",  // 正在检查安装文件…
    "\xD5\xFD\xD4\xDA\xB0\xB2\xD7\xB0: ",                                        // 正在安装:
    "\xC8\xA1\xCF\xFB",                                                          // 取消
    "\xC8\xB7\xB6\xA8\xD2\xAA\xC8\xA1\xCF\xFB\xB0\xB2\xD7\xB0\xC2\xF0?",         // 确定要取消安装吗?
    "\xD5\xFD\xD4\xDA\xCD\xEA\xB3\xC9\xB0\xB2\xD7\xB0\xA1\xAD",                  // 正在完成安装…
    "\xD5\xFD\xD4\xDA\xB0\xB2\xD7\xB0 Vectrace\xA1\xAD",                         // 正在安装 Vectrace…
};

inline constexpr Texts kEnglish = {
    "Checking the setup file\xA1\xAD",  // "…" in code page 936
    "Installing: ",
    "Cancel",
    "Do you want to cancel the installation?",
    "Finishing the installation\xA1\xAD",
    "Installing Vectrace\xA1\xAD",
};

inline constexpr const Texts& ForLanguage(int languagePosition) {
    return languagePosition == 0 ? kChinese : kEnglish;
}

}  // namespace progresstexts
