#pragma once
// The install-path dialog's own texts (GBK bytes where Chinese; the comment shows each) and its
// version lists, as the dialog shows them.

namespace installpath {

struct Captions {
    const char* window;
    const char* illustratorVersionLabel;
    const char* corelVersionLabel;
    const char* autoInstall;
    const char* pathLabel;
    const char* browse;
    const char* ok;
    const char* cancel;
};

inline constexpr Captions kEnglishCaptions = {
    "Select install path",
    "Illustrator Version:",
    "CorelDraw Version:",
    "Auto to Install",
    "Install Path:",
    "Browse",
    "OK",
    "Cancel",
};

inline constexpr Captions kChineseCaptions = {
    "\xD1\xA1\xD4\xF1\xB0\xB2\xD7\xB0\xC4\xBF\xC2\xBC",  // 选择安装目录
    "Illustrator\xB0\xE6\xB1\xBE:",                      // Illustrator版本:
    "CorelDraw\xB0\xE6\xB1\xBE:",                        // CorelDraw版本:
    "\xD7\xD4\xB6\xAF\xB0\xB2\xD7\xB0",                  // 自动安装
    "\xB0\xB2\xD7\xB0\xC4\xBF\xC2\xBC:",                 // 安装目录:
    "\xE4\xAF\xC0\xC0",                                  // 浏览
    "\xC8\xB7\xB6\xA8",                                  // 确定
    "\xC8\xA1\xCF\xFB",                                  // 取消
};

// Position in these lists is the version index that the plug-in installations read.
inline constexpr const char* kIllustratorVersions[] = {
    "CS5",
    "CS6(32bit)",
    "CS6(64bit)",
    "CC(32bit)",
    "CC(64bit)",
    "CC 2014(32bit)",
    "CC 2014(64bit)",
    "CC 2015(32bit)",
    "CC 2015(64bit)",
    "CC 2017(32bit)",
    "CC 2017(64bit)",
};
inline constexpr int kIllustratorDefaultVersion = 2;  // "CS6(64bit)"

inline constexpr const char* kCorelVersions[] = {
    "CorelDraw 11",        "CorelDraw 12",        "CorelDraw X3",           "CorelDraw X4",           "CorelDraw X5",
    "CorelDraw X6(32bit)", "CorelDraw X6(64bit)", "CorelDraw X7/X8(32bit)", "CorelDraw X7/X8(64bit)",
};
inline constexpr int kCorelDefaultVersion = 1;  // "CorelDraw 12"

inline constexpr const char* kCorelExample = "eg:  C:\\Program Files\\Corel\\CorelDRAW Graphics Suite X6";
inline constexpr const char* kIllustratorExample = "eg:  C:\\Program Files\\Adobe Illustrator CS6";

inline constexpr const char* kInitialPath = "C:\\";

}  // namespace installpath
