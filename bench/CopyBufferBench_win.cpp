// The one copy loop's buffer size measured side by side: the full-size setup file copied into a new file
// through CFile's reads and writes in chunks of each size, in a rotating order so that a machine that
// slows down or speeds up weighs on every size alike; each size's median against the shipped one.
// Usage: vt_bench_copy_buffer SOURCE_FILE WORK_FOLDER ROUNDS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/File_win.h"
#include "payload/PayloadFormat.h"

namespace {

// The loop of payload/CopyBytes_win.cpp, with the chunk's size as a parameter.
bool CopyThrough(const std::string& from, const std::string& to, std::uint32_t bufferSize) {
    CFile input, output;
    if (!input.Open(from, CFile::Mode::Read, FILE_SHARE_READ) || !output.Open(to, CFile::Mode::CreateWrite)) {
        return false;
    }
    const std::unique_ptr<char[]> buffer(new char[bufferSize]);
    for (std::uint64_t left = input.Length(); left > 0;) {
        const auto chunk = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, bufferSize));
        if (!input.Read(buffer.get(), chunk) || !output.Write(buffer.get(), chunk)) {
            return false;
        }
        left -= chunk;
    }
    return true;
}

double Seconds(const std::string& from, const std::string& to, std::uint32_t bufferSize, bool& ok) {
    DeleteFileA(to.c_str());
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ok = CopyThrough(from, to, bufferSize) && ok;
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: vt_bench_copy_buffer SOURCE_FILE WORK_FOLDER ROUNDS\n");
        return 2;
    }
    const std::string from = argv[1], to = std::string(argv[2]) + "\\copy.bin";
    const int rounds = std::max(1, std::atoi(argv[3]));
    const std::uint32_t sizes[] = {64 * 1024, 128 * 1024, 256 * 1024, 512000, 1024 * 1024, 4 * 1024 * 1024};
    const std::size_t count = sizeof sizes / sizeof sizes[0];
    std::vector<std::vector<double>> times(count);
    bool ok = true;
    Seconds(from, to, 512000, ok);  // warms the page cache
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            const std::size_t i = (turn + round) % count;
            times[i].push_back(Seconds(from, to, sizes[i], ok));
        }
    }
    DeleteFileA(to.c_str());
    CFile source;
    const double bytes = source.Open(from, CFile::Mode::Read, FILE_SHARE_READ) ? double(source.Length()) : 0;
    double shipped = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (sizes[i] == payload::kCopyBufferSize) {
            shipped = Median(times[i]);
        }
    }
    std::printf("copy of %.0f bytes, median of %d rounds\n", bytes, rounds);
    for (std::size_t i = 0; i < count; ++i) {
        const double median = Median(times[i]);
        std::printf("  buffer %8u bytes: %7.1f ms  %7.1f MB/s  %.2fx the shipped %u\n", sizes[i], median * 1000,
                    bytes / median / 1e6, median / shipped, static_cast<unsigned>(payload::kCopyBufferSize));
    }
    return ok ? 0 : 1;
}
