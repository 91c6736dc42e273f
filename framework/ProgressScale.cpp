#include "framework/ProgressScale.h"

void ProgressScale::StartPhase(int base, int span, std::uint64_t bytes) {
    m_base = base;
    m_span = span;
    m_bytes = bytes;
    m_done = 0;
}

void ProgressScale::StartCheck(std::uint64_t bytes) {
    StartPhase(0, kEnd / 2, bytes);
}

void ProgressScale::StartInstall(std::uint64_t bytes) {
    const int base = Position();
    StartPhase(base, kEnd - base, bytes);
}

int ProgressScale::Position() const {
    if (m_finished) {
        return kEnd;
    }
    std::uint64_t done = m_done < m_bytes ? m_done : m_bytes;
    std::uint64_t bytes = m_bytes;
    // Both cut to 22 bits, so that span * done stays within 32 bits: no 64-bit division on a 32-bit
    // processor, and a step of the bar is still far smaller than what the cut loses.
    while (bytes >= (std::uint64_t{1} << 22)) {
        bytes >>= 1;
        done >>= 1;
    }
    const std::uint32_t moved = bytes == 0 ? 0 : static_cast<std::uint32_t>(m_span) * static_cast<std::uint32_t>(done) /
                                                     static_cast<std::uint32_t>(bytes);
    const int position = m_base + static_cast<int>(moved);
    // The end only when finished: a full bar would say the work is done.
    return position < kEnd ? position : kEnd - 1;
}
