#include "drivers/DriverPlacement_win.h"

#include <memory>
#include <new>

#include "drivers/DriverPlacementPlan.h"
#include "drivers/DriverStoreLogScan.h"
#include "drivers/NativeFileSystem_win.h"
#include "drivers/SystemInfo_win.h"
#include "framework/File_win.h"
#include "framework/PathFolder.h"
#include "framework/SystemLeadByte_win.h"
#include "payload/PayloadFormat.h"

namespace {

// A log too large to hold in this 32-bit process counts as unreadable.
constexpr std::uint64_t kMaxLogBytes = 0x40000000;

// Through raw handles, since the destination is opened past WOW64's redirection; the setup's one size.
constexpr DWORD kCopyChunk = payload::kCopyBufferSize;

class Handle {
public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    void Close() {
        if (IsOpen()) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE m_handle;
};

bool CopyBytes(HANDLE from, HANDLE to) {
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kCopyChunk]);
    if (!buffer) {
        return false;
    }
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from, buffer.get(), kCopyChunk, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        DWORD written = 0;
        if (!WriteFile(to, buffer.get(), read, &written, nullptr) || written != read) {
            return false;
        }
    }
}

// The source is opened as the setup sees it (the driver command extracted it through WOW64's
// redirection); the destination as a 64-bit program sees it, so a file meant for "system32" lands in
// the native one and never replaces a 32-bit file in "SysWOW64". Keep creates only a missing file.
bool PlaceFile(const std::string& source, const std::string& destination, drivers::ExistingFile existing) {
    Handle input(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!input.IsOpen()) {
        return false;
    }
    // The copy carries the source's attributes, as a system copy would.
    DWORD attributes = GetFileAttributesA(source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        attributes = FILE_ATTRIBUTE_NORMAL;
    }
    attributes &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    const DWORD disposition = existing == drivers::ExistingFile::Keep ? CREATE_NEW : CREATE_ALWAYS;
    HANDLE created;
    {
        ScopedNativeFileSystem native;
        created = CreateFileA(destination.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                              attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes, nullptr);
    }
    Handle output(created);
    if (!output.IsOpen()) {
        return false;
    }
    if (CopyBytes(input.Get(), output.Get())) {
        return true;
    }
    // A half-written driver file is worse than none.
    output.Close();
    ScopedNativeFileSystem native;
    DeleteFileA(destination.c_str());
    return false;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    CFile file;
    if (!file.Open(path, CFile::Mode::Read)) {
        return false;
    }
    const std::uint64_t length = file.Length();
    if (length == UINT64_MAX || length > kMaxLogBytes) {
        return false;
    }
    // A log too large to hold is a log not read, not the end of the setup.
    char* buffer = new (std::nothrow) char[static_cast<std::size_t>(length) + 1];
    if (!buffer) {
        return false;
    }
    const bool read = length == 0 || file.Read(buffer, static_cast<std::uint32_t>(length));
    if (read) {
        contents.assign(buffer, static_cast<std::size_t>(length));
    }
    delete[] buffer;
    return read;
}

}  // namespace

BOOL FindModemDriverStoreFolder(const std::string& logPath, std::string& name) {
    std::string log;
    if (!ReadWholeFile(logPath, log)) {
        return FALSE;
    }
    return drivers::ScanForModemDriverStoreFolder(log, name) ? TRUE : FALSE;
}

void PlaceDriverFiles(const std::string& sourceFolder) {
    char systemFolder[261];
    const UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    // A length beyond the buffer means the folder did not fit and nothing usable was written.
    if (length == 0 || length >= sizeof systemFolder) {
        return;
    }
    PlaceDriverFilesBelow(sourceFolder, std::string(systemFolder, length));
}

namespace {

// The plan for this Windows, its version and bitness and its driver store as they are now.
std::vector<drivers::PlacementStep> PlanForThisWindows(const std::string& windowsFolder) {
    const bool is64BitWindows = Is64BitWindows() != FALSE;
    const std::optional<drivers::WindowsVersion> version = QueryWindowsVersion();
    std::string driverStoreFolder;
    if (drivers::NeedsDriverStoreFolder(version)) {
        FindModemDriverStoreFolder(windowsFolder + "inf\\setupapi.dev.log", driverStoreFolder);
    }
    return drivers::PlanDriverPlacement(version, is64BitWindows, driverStoreFolder);
}

}  // namespace

std::vector<std::string> DriverPlacementDestinations(const std::string& systemFolder, std::string* windowsFolder) {
    // The Windows folder holds the system folder ("C:\Windows\system32" in "C:\Windows\").
    *windowsFolder = text::FolderOfPath(systemFolder, IsSystemLeadByte);
    std::vector<std::string> destinations;
    if (!windowsFolder->empty()) {
        for (const drivers::PlacementStep& step : PlanForThisWindows(*windowsFolder)) {
            destinations.push_back(*windowsFolder + step.destination);
        }
    }
    return destinations;
}

void PlaceDriverFilesBelow(const std::string& sourceFolder, const std::string& systemFolder) {
    const std::string windowsFolder(text::FolderOfPath(systemFolder, IsSystemLeadByte));
    if (windowsFolder.empty()) {
        return;
    }
    // Results are ignored on purpose: a keep copy onto an existing file fails by design, and the
    // installers that follow report what is really missing.
    for (const drivers::PlacementStep& step : PlanForThisWindows(windowsFolder)) {
        const std::string destination = windowsFolder + step.destination;
        if (step.action == drivers::PlacementStep::Action::CreateFolder) {
            ScopedNativeFileSystem native;
            CreateDirectoryA(destination.c_str(), nullptr);
        } else {
            PlaceFile(sourceFolder + step.source, destination, step.existing);
        }
    }
}
