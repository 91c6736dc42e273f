#pragma once
// The arithmetic of the driver progress bar: it is paced by time, not by the installer's real progress,
// filling in a fixed number of steps and then staying full until the installer ends.

#include <cstdint>

namespace drivers {

inline constexpr unsigned kProgressMax = 100;
// The main window's pacing: the bar fills in this many steps, each followed by a pause of this length.
inline constexpr unsigned kDefaultProgressSteps = 22;
inline constexpr unsigned kDefaultPauseMinMs = 250;
inline constexpr unsigned kDefaultPauseMaxMs = 350;

// The runtime library's rand() draws 0 .. 32767 on Windows.
inline constexpr unsigned kRandMax = 32767;

// Counts the steps of one installation and gives the bar position after each.
class ProgressSteps {
public:
    // A total of 0 counts as 1, so the bar is full after the first step.
    explicit ProgressSteps(unsigned total) : m_total(total == 0 ? 1 : total) {}

    // One more step, never past the total; returns the bar position, 0 .. kProgressMax.
    unsigned Advance() {
        if (m_step < m_total) {
            ++m_step;
        }
        return m_step * kProgressMax / m_total;
    }

private:
    unsigned m_total;
    unsigned m_step = 0;
};

// The pause after a step: minMs + draw * (maxMs - minMs) / kRandMax. Draws above kRandMax (a host rand
// with a larger range) count as kRandMax, and maxMs below minMs as minMs, so the pause stays in range.
unsigned PauseLengthMs(unsigned draw, unsigned minMs, unsigned maxMs);

// Whether a pause that began at tick `start` has lasted `length` ms at tick `now`; unsigned
// subtraction keeps this right across the wrap of the 32-bit tick count.
inline bool PauseElapsed(std::uint32_t start, std::uint32_t now, std::uint32_t length) {
    return now - start >= length;
}

}  // namespace drivers
