#pragma once
// What a driver stand-in appends to "<exe path>.log" each time it starts: one line, CR LF ended,
// of tab-separated "key=value" fields in this order:
//
//     tick=<GetTickCount>	pid=<process id>	time=<YYYY-MM-DD hh:mm:ss.mmm, local>
//     run-ms=<ms it will run>	exit-code=<code it will return>	module=<full path of the exe>
//     cwd=<current folder>	cmdline=<GetCommandLineA, raw, to the end of the line>
//
// (shown on three lines here; it is one). Paths cannot hold tabs or line breaks; the command line
// can, so its CR and LF become spaces and it comes last, taking the rest of the line whatever it holds.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standins {

struct RunRecord {
    std::uint32_t tick = 0;
    std::uint32_t pid = 0;
    std::string time;
    std::uint32_t runMs = 0;
    std::uint32_t exitCode = 0;
    std::string module;
    std::string cwd;
    std::string cmdline;
};

// The line, with its CR LF.
std::string FormatRunRecord(const RunRecord& record);

// One line of the log, with or without its line end; nullopt when a field is missing or malformed.
std::optional<RunRecord> ParseRunRecord(std::string_view line);

}  // namespace standins
