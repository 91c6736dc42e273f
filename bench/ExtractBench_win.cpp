// Extraction measured against its limit and its peer, side by side in one run under the same Wine:
//   extract  the setup's extractor, in process, over the full-size sample archive
//   verified the same extraction after the check every extracting command makes first (the integrity
//            record's digest over the whole archive), against the extraction alone
//   install  the payload installed as the setup's branches install it: planned, checked, written under
//            temporary names, then moved into place; into an empty folder, and over an earlier
//            installation (whose files are then moved aside and deleted at the end), with the time of
//            the renames alone: the only time in which a killed setup leaves a mix of two versions
//   progress the same installation followed by the install progress window, as the setup shows it: the
//            cost of drawing it and of looking at its Cancel between the bytes
//   copy     a plain CopyFileA of the same files from the payload tree (the limit)
//   nsis     an NSIS installer of the same files in store mode, run silently as a child process,
//            against the setup's own installation run the same way (process start included on both)
// and the peak private memory of an extracting process for a small and for the full-size archive; the
// digest's speed over memory with each of its kernels; and which build ran, since the shipped 32-bit
// build and the 64-bit one differ most in the digest.
// Usage: vt_bench_extract FULL_SETUP SMALL_SETUP INSTALL_SETUP PAYLOAD_TREE NSIS_INSTALLER WORK_FOLDER ROUNDS
// INSTALL_SETUP carries the full-size archive behind vt_bench_install_carrier.
// NSIS_INSTALLER "-" leaves the peer out: NSIS installers are 32-bit, and some machines run none.
#include <windows.h>

#include <psapi.h>  // after windows.h, which it needs

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/InstallProgressDlg_win.h"
#include "install/InstallTransaction_win.h"
#include "install/PlanSteps_win.h"
#include "payload/ArchiveDigest.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/ProcessorFeatures.h"
#include "payload/SetupIntegrity_win.h"

namespace {

double Seconds(const std::function<bool()>& run, bool& ok) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ok = run() && ok;
    QueryPerformanceCounter(&end);
    return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(folder + name + "\\");
            } else {
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

int CountFiles(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int count = 0;
    do {
        const std::string name = data.cFileName;
        if (name != "." && name != "..") {
            count += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? CountFiles(folder + name + "\\") : 1;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

bool CopyTree(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = CopyTree(from + name + "\\", to + name + "\\") && ok;
        } else {
            ok = CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) && ok;
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return ok;
}

struct ChildRun {
    bool ok = false;
    SIZE_T peakPrivateBytes = 0;
};

ChildRun RunChild(std::string commandLine, DWORD expectedExitCode) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ChildRun run;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return run;
    }
    // Wine forgets a process's counters once it has ended, so they are sampled while it runs.
    do {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
            run.peakPrivateBytes = std::max({run.peakPrivateBytes, counters.PeakPagefileUsage, counters.PagefileUsage});
        }
    } while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.ok = code == expectedExitCode;
    return run;
}

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Notes when the last file was written and when all were in place: between the two, the renames. With
// a progress window, tells it what the setup's own observer tells it.
class RenameClock : public install::InstallObserver {
public:
    explicit RenameClock(CInstallProgressDlg* progress) : m_progress(progress) {}
    double lastWritten = 0;
    double inPlace = 0;
    bool RetryFilesInUse(const std::vector<install::FileInUse>&) override { return false; }
    bool KeepGoing(std::uint64_t, std::uint64_t) override {
        lastWritten = Now();
        return !m_progress || !m_progress->Cancelled();
    }
    void Writing(std::uint64_t bytes) override {
        if (m_progress) {
            m_progress->Installing(bytes);
        }
    }
    void Moved(std::uint64_t bytes) override {
        if (m_progress) {
            m_progress->Follow(bytes);
        }
    }
    void NextFile(const std::string& name, std::uint64_t size) override {
        if (m_progress) {
            m_progress->NameFile(name, size);
        }
    }
    void Noted(Note note, const std::string&) override {
        if (note == Note::InPlace) {
            inPlace = Now();
        }
    }

private:
    CInstallProgressDlg* m_progress;
};

// The payload into target as an installation writes it; renames: the seconds of the moving into place
// (the files it replaces moved aside, the new ones moved in), before what was replaced is deleted.
// progress: a progress window already open (its opening, a fixed cost the size of the payload does not
// change, is left out), or null.
bool InstallStaged(const std::string& setupPath,
                   const std::string& target,
                   double* renames,
                   CInstallProgressDlg* progress = nullptr) {
    CFile setup;
    if (!setup.Open(setupPath, CFile::Mode::Read, FILE_SHARE_READ)) {
        return false;
    }
    std::vector<install::InstallPlan> plans;
    plans.emplace_back(target, target);
    std::vector<ArchiveFile> entries;
    ExtractFailure failure;
    if (!ListArchiveFiles(&setup, payload::Selection::Payload, &entries, &failure) ||
        !PlanArchiveFiles(plans[0], entries, target, {}, &failure)) {
        return false;
    }
    RenameClock observer(progress);
    const bool installed = RunInstallPlans(plans, setup, &observer).stop == InstallRun::Stop::None;
    *renames = observer.inPlace - observer.lastWritten;
    return installed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: vt_bench_extract FULL_SETUP SMALL_SETUP INSTALL_SETUP PAYLOAD_TREE NSIS_INSTALLER "
                     "WORK ROUNDS\n");
        return 2;
    }
    const std::string fullSetup = argv[1], smallSetup = argv[2], installSetup = argv[3],
                      tree = std::string(argv[4]) + "\\", nsis = argv[5], work = std::string(argv[6]) + "\\";
    const int rounds = std::max(1, std::atoi(argv[7]));
    CreateDirectoryA(work.c_str(), nullptr);
    const std::string target = work + "target\\";
    const int treeFiles = CountFiles(tree);
    const int payloadFiles = treeFiles - CountFiles(tree + "MxDriver\\");  // the application install skips it

    std::vector<double> extract, verifiedExtract, install, installWithProgress, upgrade, renames, copy, copyOver,
        extractProcess, installProcess, nsisProcess;
    bool ok = true;
    // Warm the page cache for both sources before the first timed round.
    RemoveTree(target);
    CopyTree(tree, target);
    RemoveTree(target);
    // Each run must have written every file, or its time means nothing.
    for (int round = 0; round < rounds; ++round) {
        // With and without the check, in turns first, so a machine that slows down or speeds up during
        // the run weighs on both alike.
        for (int turn = 0; turn < 2; ++turn) {
            const bool verified = (turn + round) % 2 == 1;
            RemoveTree(target);
            CreateDirectoryA(target.c_str(), nullptr);
            (verified ? verifiedExtract : extract)
                .push_back(Seconds(
                    [&] {
                        CFile setup;
                        return setup.Open(fullSetup, CFile::Mode::Read, FILE_SHARE_READ) &&
                               (!verified || CheckSetupArchive(&setup).state == payload::Integrity::Verified) &&
                               ExtractArchiveFiles(&setup, target, payload::Selection::Payload) == 1;
                    },
                    ok));
            ok = CountFiles(target) == payloadFiles && ok;
        }
        RemoveTree(target);
        CreateDirectoryA(target.c_str(), nullptr);
        double moved = 0;
        // With and without the progress window, in turns first.
        for (int turn = 0; turn < 2; ++turn) {
            const bool withProgress = (turn + round) % 2 == 1;
            CInstallProgressDlg progress(nullptr, 2);
            ok = (!withProgress || progress.Open(400, 300)) && ok;
            RemoveTree(target);
            CreateDirectoryA(target.c_str(), nullptr);
            (withProgress ? installWithProgress : install)
                .push_back(Seconds(
                    [&] { return InstallStaged(fullSetup, target, &moved, withProgress ? &progress : nullptr); }, ok));
            ok = CountFiles(target) == payloadFiles && ok;
        }
        upgrade.push_back(Seconds([&] { return InstallStaged(fullSetup, target, &moved); }, ok));
        renames.push_back(moved);
        ok = CountFiles(target) == payloadFiles && ok;
        RemoveTree(target);
        copy.push_back(Seconds([&] { return CopyTree(tree, target); }, ok));
        ok = CountFiles(target) == treeFiles && ok;
        copyOver.push_back(Seconds([&] { return CopyTree(tree, target); }, ok));
        RemoveTree(target);
        CreateDirectoryA(target.c_str(), nullptr);
        extractProcess.push_back(
            Seconds([&] { return RunChild("\"" + fullSetup + "\" \"" + target + "\\\" payload", 1).ok; }, ok));
        ok = CountFiles(target) == payloadFiles && ok;
        RemoveTree(target);
        CreateDirectoryA(target.c_str(), nullptr);
        installProcess.push_back(
            Seconds([&] { return RunChild("\"" + installSetup + "\" \"" + target + "\\\"", 1).ok; }, ok));
        ok = CountFiles(target) == payloadFiles && ok;
        RemoveTree(target);
        if (nsis != "-") {
            nsisProcess.push_back(
                Seconds([&] { return RunChild("\"" + nsis + "\" /S /D=" + work + "nsis", 0).ok; }, ok));
            ok = CountFiles(work + "nsis\\") == treeFiles && ok;
            RemoveTree(work + "nsis\\");
        }
    }
    RemoveTree(target);
    CreateDirectoryA(target.c_str(), nullptr);
    const ChildRun smallRun = RunChild("\"" + smallSetup + "\" \"" + target + "\\\" payload", 1);
    RemoveTree(target);
    CreateDirectoryA(target.c_str(), nullptr);
    const ChildRun fullRun = RunChild("\"" + fullSetup + "\" \"" + target + "\\\" payload", 1);
    RemoveTree(target);

    // The digest alone, over memory already read, with each kernel in turns.
    std::vector<unsigned char> block(64u << 20);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<unsigned char>(i * 2654435761u >> 13);
    }
    std::vector<const payload::Xxh3Kernel*> kernels = {&payload::kXxh3Scalar, &payload::kXxh3Sse2};
    if (payload::ProcessorHasAvx2()) {
        kernels.push_back(&payload::kXxh3Avx2);
    }
    std::vector<std::vector<double>> digestSeconds(kernels.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t k = 0; k < kernels.size(); ++k) {
            digestSeconds[k].push_back(Seconds(
                [&] {
                    payload::ArchiveDigest digest(*kernels[k]);
                    digest.Update(block.data(), block.size());
                    return digest.Value() != 0;
                },
                ok));
        }
    }

    const double e = Median(extract), v = Median(verifiedExtract), c = Median(copy), ep = Median(extractProcess),
                 i = Median(install), iw = Median(installWithProgress), u = Median(upgrade),
                 ip = Median(installProcess), co = Median(copyOver);
    std::printf("build: %d-bit Windows, %s; the check uses the %s digest kernel\n", static_cast<int>(sizeof(void*) * 8),
                VT_BUILD_TYPE, payload::ChosenXxh3Kernel().name);
    for (std::size_t k = 0; k < kernels.size(); ++k) {
        std::printf("  digest over memory, %-6s %8.0f MB/s\n", kernels[k]->name,
                    static_cast<double>(block.size()) / 1e6 / Median(digestSeconds[k]));
    }
    std::printf("medians of %d rounds, full-size sample\n", rounds);
    std::printf("  extract (in process)      %8.3f s\n", e);
    std::printf("  check, then extract       %8.3f s   verified/unverified = %.2f\n", v, v / e);
    std::printf("  plain copy (CopyFileA)    %8.3f s   extract/copy = %.2f\n", c, e / c);
    std::printf("  install, staged and moved %8.3f s   install/copy = %.2f\n", i, i / c);
    std::printf("  the same, progress window %8.3f s   with/without = %.2f, with progress/copy = %.2f\n", iw, iw / i,
                iw / c);
    std::printf("  plain copy over a copy    %8.3f s\n", co);
    std::printf("  install over an earlier   %8.3f s   upgrade/copy over = %.2f\n", u, u / co);
    std::printf("    of which the renames    %8.3f s   (the only time a killed setup leaves a mix)\n", Median(renames));
    std::printf("  setup extraction process  %8.3f s\n", ep);
    std::printf("  setup install process     %8.3f s\n", ip);
    if (!nsisProcess.empty()) {
        const double np = Median(nsisProcess);
        std::printf("  NSIS store-mode installer %8.3f s   setup/NSIS   = %.2f (install process/NSIS = %.2f)\n", np,
                    ep / np, ip / np);
    }
    std::printf("peak private memory of an extracting process\n");
    std::printf("  small sample              %8.1f MiB\n", double(smallRun.peakPrivateBytes) / 1048576.0);
    std::printf("  full-size sample          %8.1f MiB   full/small   = %.2f\n",
                double(fullRun.peakPrivateBytes) / 1048576.0,
                double(fullRun.peakPrivateBytes) / double(std::max<SIZE_T>(smallRun.peakPrivateBytes, 1)));
    if (!ok) {
        std::printf("note: at least one timed run failed\n");
    }
    return ok ? 0 : 1;
}
