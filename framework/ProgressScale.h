#pragma once
// Where a progress bar stands, from 0 to kEnd, for work counted in bytes in two phases: the check of
// the setup file, then the installation, whose size is known only once it is planned (until then it is
// taken to be as large as the check). The position never goes back, and reaches kEnd only when the work
// is finished.

#include <cstdint>

class ProgressScale {
public:
    static constexpr int kEnd = 1000;

    void StartCheck(std::uint64_t bytes);
    // The installation's share is the rest of the bar from where it stands.
    void StartInstall(std::uint64_t bytes);
    void Moved(std::uint64_t bytes) { m_done += bytes; }
    // The running phase has done at least this many bytes (some of its work moves no counted bytes).
    void AtLeast(std::uint64_t bytes) { m_done = bytes > m_done ? bytes : m_done; }
    void Finish() { m_finished = true; }

    int Position() const;

private:
    void StartPhase(int base, int span, std::uint64_t bytes);

    int m_base = 0;  // where the running phase started
    int m_span = 0;  // how much of the bar it has
    std::uint64_t m_bytes = 0;
    std::uint64_t m_done = 0;
    bool m_finished = false;
};
