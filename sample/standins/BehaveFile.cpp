#include "sample/standins/BehaveFile.h"

#include <charconv>
#include <optional>

namespace standins {

namespace {

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

Behaviour ParseBehaviour(std::string_view text) {
    Behaviour behaviour;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || line.front() == ';' || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, equals));
        const std::optional<std::uint32_t> value = ParseNumber(Trim(line.substr(equals + 1)));
        if (!value) {
            continue;
        }
        if (key == "run-ms") {
            behaviour.runMs = *value < kLongestRunMs ? *value : kLongestRunMs;
        } else if (key == "exit-code") {
            behaviour.exitCode = *value;
        }
    }
    return behaviour;
}

}  // namespace standins
