#pragma once
// The control file of the driver stand-ins, "<exe path>.behave" beside the program, through which a
// test tells a stand-in how long to run and how to end:
//
//     run-ms=3000
//     exit-code=5
//
// One "key=value" per line; blanks around keys and values, empty lines and lines starting with "#" or
// ";" are ignored. Values are unsigned decimal numbers that fit in 32 bits; an unknown key or a bad
// value is ignored, so the default stays. Without the file a stand-in ends at once with exit code 0.

#include <cstdint>
#include <string_view>

namespace standins {

// Sleep(0xFFFFFFFF) would never return: the longest run is one millisecond less.
inline constexpr std::uint32_t kLongestRunMs = 0xFFFFFFFEu;

struct Behaviour {
    std::uint32_t runMs = 0;
    std::uint32_t exitCode = 0;
};

Behaviour ParseBehaviour(std::string_view text);

}  // namespace standins
