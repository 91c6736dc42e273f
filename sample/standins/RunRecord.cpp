#include "sample/standins/RunRecord.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace standins {

namespace {

bool ParseNumber(std::string_view text, std::uint32_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string FormatRunRecord(const RunRecord& record) {
    std::string cmdline = record.cmdline;
    std::replace_if(
        cmdline.begin(), cmdline.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return "tick=" + std::to_string(record.tick) + "\tpid=" + std::to_string(record.pid) + "\ttime=" + record.time +
           "\trun-ms=" + std::to_string(record.runMs) + "\texit-code=" + std::to_string(record.exitCode) +
           "\tmodule=" + record.module + "\tcwd=" + record.cwd + "\tcmdline=" + cmdline + "\r\n";
}

std::optional<RunRecord> ParseRunRecord(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    // Every field but the last ends at the next tab; the command line takes the rest of the line.
    constexpr std::string_view kKeys[] = {
        "tick=", "pid=", "time=", "run-ms=", "exit-code=", "module=", "cwd=", "cmdline="};
    constexpr std::size_t kFieldCount = std::size(kKeys);
    std::string_view values[kFieldCount];
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (!line.starts_with(kKeys[i])) {
            return std::nullopt;
        }
        line.remove_prefix(kKeys[i].size());
        const std::size_t end = i + 1 < kFieldCount ? line.find('\t') : line.size();
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        values[i] = line.substr(0, end);
        line.remove_prefix(std::min(line.size(), end + 1));
    }
    RunRecord record;
    if (!ParseNumber(values[0], record.tick) || !ParseNumber(values[1], record.pid) ||
        !ParseNumber(values[3], record.runMs) || !ParseNumber(values[4], record.exitCode)) {
        return std::nullopt;
    }
    record.time = values[2];
    record.module = values[5];
    record.cwd = values[6];
    record.cmdline = values[7];
    return record;
}

}  // namespace standins
