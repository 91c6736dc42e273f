#pragma once
// How the setup tells that it ends on a fatal error (memory ran out, or the runtime failed otherwise):
// an installation moving files is rolled back first; then the window shows one box in the run's
// language, an unattended run writes the reason as the last line of its log. Either way the process
// then ends with exit code 2.

class SetupLog;

inline constexpr const char* kOutOfMemoryChinese =
    "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3,\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";  // 内存不足,安装程序将退出。
inline constexpr const char* kOutOfMemoryEnglish = "Out of memory: the setup will close.";

inline constexpr const char* kInternalErrorChinese =
    "\xB0\xB2\xD7\xB0\xB3\xCC\xD0\xF2\xC4\xDA\xB2\xBF\xB4\xED\xCE\xF3,\xBD\xAB\xCD\xCB\xB3\xF6\xA1\xA3";  // 安装程序内部错误,将退出。
inline constexpr const char* kInternalErrorEnglish = "Internal error: the setup will close.";

inline constexpr const char* OutOfMemoryText(int languagePosition) {
    return languagePosition == 0 ? kOutOfMemoryChinese : kOutOfMemoryEnglish;
}

inline constexpr const char* InternalErrorText(int languagePosition) {
    return languagePosition == 0 ? kInternalErrorChinese : kInternalErrorEnglish;
}

// From here on a fatal error shows the box (`boxes`) and writes the log line (when `log` is open).
// `log` must outlive the run.
void ReportFatalErrorsTo(SetupLog* log, bool boxes, int languagePosition);
