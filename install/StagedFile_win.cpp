#include "install/StagedFile_win.h"

#include <windows.h>


#include "install/Shortcut_win.h"
#include "install/SoftConfig_win.h"
#include "payload/CopyBytes_win.h"

namespace {

using install::Source;

bool Fail(ExtractFailure* failure, ExtractFailure::Kind kind, const std::string& path, DWORD error) {
    failure->kind = kind;
    failure->path = path;
    failure->systemError = error;
    return false;
}

// Streams `size` bytes from where `input` stands into `output`, through the one copy loop. A progress
// window follows a long write; a stop asked meanwhile waits for the file's end.
bool CopyBytes(CFile& input,
               std::uint64_t size,
               CFile& output,
               char* buffer,
               FunctionRef<void(std::uint64_t)> moved,
               const std::string& destination,
               ExtractFailure* failure) {
    switch (payload::CopyBytes(input, size, output, buffer, moved)) {
        case payload::CopyEnd::Copied:
            return true;
        case payload::CopyEnd::ReadFailed:
            return Fail(failure, ExtractFailure::Kind::Read, input.Path(), input.LastError());
        case payload::CopyEnd::WriteFailed:
            break;
    }
    return Fail(failure, ExtractFailure::Kind::Write, destination, output.LastError());
}

// The whole of `source` (none when it is missing and may be) into the new file `temporary`.
bool CopyContent(const std::string& source,
                 bool mayBeMissing,
                 CFile& output,
                 char* buffer,
                 FunctionRef<void(std::uint64_t)> moved,
                 const std::string& destination,
                 ExtractFailure* failure) {
    CFile input;
    if (!input.Open(source, CFile::Mode::Read, FILE_SHARE_READ)) {
        const DWORD error = input.LastError();
        return (mayBeMissing && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)) ||
               Fail(failure, ExtractFailure::Kind::Read, source, error);
    }
    const std::uint64_t length = input.Length();
    if (length == UINT64_MAX) {
        return Fail(failure, ExtractFailure::Kind::Read, source, input.LastError());
    }
    return CopyBytes(input, length, output, buffer, moved, destination, failure);
}

}  // namespace

bool WriteStagedFile(const install::PlannedFile& file,
                     const std::string& temporary,
                     CFile& setup,
                     char* buffer,
                     FunctionRef<void(std::uint64_t)> moved,
                     ExtractFailure* failure,
                     bool* created) {
    const std::string& destination = file.destination;
    *created = false;
    if (file.kind == Source::Copy) {
        // Fails on an existing name, which then stays as it was; a copy that failed later may have made
        // the file.
        if (CopyFileA(file.source.c_str(), temporary.c_str(), TRUE)) {
            *created = true;
            return true;
        }
        const DWORD error = GetLastError();
        *created = error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
                   GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES;
        return Fail(failure, *created ? ExtractFailure::Kind::Write : ExtractFailure::Kind::CreateFile, destination,
                    error);
    }
    CFile output;
    if (!output.Open(temporary, CFile::Mode::CreateNew)) {
        // A link that cannot be made is a write that failed, whose reason the message names.
        const DWORD error = output.LastError();
        const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return Fail(failure,
                    file.kind == Source::Shortcut && !taken ? ExtractFailure::Kind::Write
                                                            : ExtractFailure::Kind::CreateFile,
                    destination, error);
    }
    *created = true;
    if (file.kind == Source::Shortcut) {
        // The name is taken first, new: saving a link writes over whatever has the name.
        output.Close();
        const HRESULT result = file.icon.empty()
                                   ? CreateShortcut(file.source, temporary, file.description)
                                   : CreateShortcutWithIcon(file.source, temporary, file.description, file.icon);
        return SUCCEEDED(result) || Fail(failure, ExtractFailure::Kind::Write, destination, static_cast<DWORD>(result));
    }
    switch (file.kind) {
        case Source::Archive:
            if (!setup.Seek(file.offset)) {
                return Fail(failure, ExtractFailure::Kind::Read, setup.Path(), setup.LastError());
            }
            return CopyBytes(setup, file.size, output, buffer, moved, destination, failure);
        case Source::Content:
            return CopyContent(file.source, false, output, buffer, moved, destination, failure);
        case Source::SoftConfig:
            if (!CopyContent(file.source, true, output, buffer, moved, destination, failure)) {
                return false;
            }
            output.Close();
            return WriteSoftConfig(temporary, file.language) ||
                   Fail(failure, ExtractFailure::Kind::Write, destination, GetLastError());
        default:
            return true;
    }
}

bool IsNameTaken(const ExtractFailure& failure) {
    return failure.kind == ExtractFailure::Kind::CreateFile &&
           (failure.systemError == ERROR_FILE_EXISTS || failure.systemError == ERROR_ALREADY_EXISTS);
}
