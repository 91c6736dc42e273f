#include "payload/SetupFile_win.h"

#include <new>

#include "framework/ModulePath_win.h"
#include "payload/LoadedImageHeaders.h"

namespace {

// The headers of any image the setup is built as fit in a few pages.
constexpr std::uint32_t kMaxHeadersSize = 64 * 1024;
// The loader maps at least the first page of an image: enough to find SizeOfHeaders.
constexpr std::size_t kFirstPage = 4096;

CFile setupFile;
SetupFileState state = SetupFileState::NotOpened;
DWORD openError = ERROR_SUCCESS;

bool IsTheRunningImage(CFile& file) {
    const auto* mapped = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
    const std::size_t headersSize = mapped ? payload::ImageHeadersSize(mapped, kFirstPage) : 0;
    if (headersSize == 0 || headersSize > kMaxHeadersSize) {
        return false;
    }
    unsigned char* headers = new (std::nothrow) unsigned char[headersSize];
    const bool same = headers && file.Seek(0) && file.Read(headers, static_cast<std::uint32_t>(headersSize)) &&
                      payload::FileHoldsLoadedHeaders(headers, headersSize, mapped, headersSize);
    delete[] headers;
    return same;
}

}  // namespace

SetupFileState OpenRunningSetupFile() {
    if (state != SetupFileState::NotOpened) {
        return state;
    }
    const std::wstring path = RunningModulePath();
    if (path.empty() || !setupFile.Open(path, CFile::Mode::Read, FILE_SHARE_READ)) {
        openError = path.empty() ? GetLastError() : setupFile.LastError();
        state = SetupFileState::CannotOpen;
    } else if (!IsTheRunningImage(setupFile)) {
        setupFile.Close();
        state = SetupFileState::NotTheRunningImage;
    } else {
        state = SetupFileState::Open;
    }
    return state;
}

SetupFileState RunningSetupFileState() {
    return state;
}

DWORD RunningSetupFileError() {
    return openError;
}

CFile* RunningSetupFile() {
    return state == SetupFileState::Open ? &setupFile : nullptr;
}
