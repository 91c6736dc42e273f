#pragma once
// The main window's own texts, kept once as GBK bytes (code page 936); the comment beside each shows
// it. The dialog framework shows them through the wide-character functions.

namespace shelltexts {

struct Captions {
    const char* window;
    const char* typeLabel;
    const char* languageLabel;
    const char* installButton;
    const char* usbDriverButton;
};

inline constexpr Captions kChineseCaptions = {
    "\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3",     // 欢迎使用
    "\xC0\xE0\xD0\xCD:",                    // 类型:
    "\xD3\xEF\xD1\xD4:",                    // 语言:
    "\xB0\xB2\xD7\xB0",                     // 安装
    "USB\xC7\xFD\xB6\xAF\xB0\xB2\xD7\xB0",  // USB驱动安装
};

// "Lanuage:" is the label as the product has always shown it.
inline constexpr Captions kEnglishCaptions = {
    "Welcome to use", "Type:", "Lanuage:", "Install", "Install USB Driver",
};

inline constexpr const char* kPluginTypes[] = {
    "Plugin For CorelDraw",
    "Plugin For AutoCAD",
    "Plugin For Illustrator CS",
};

inline constexpr const char* kLanguages[] = {
    "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4",  // 简体中文
    "Traditional Chinese",
    "English",
    "Portuguese",
    "Turkish",
    "Russian",
    "French",
    "Korean",
    "Arabic",
    "Spanish",
    "Vietnamese",
    "Danish",
    "Thai language",
    "Other",
};

inline constexpr const char* kInstallOkChinese = "\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6!";  // 安装成功!
inline constexpr const char* kInstallOkEnglish = "Install OK!";

// The closing word of a completed installation, by Language list position.
inline constexpr const char* InstallOkText(int languagePosition) {
    return languagePosition == 0 ? kInstallOkChinese : kInstallOkEnglish;
}

inline constexpr const char* kDefaultProductName = "Vectrace";

}  // namespace shelltexts
