#pragma once
// The setup's own file, opened once at start-up and read only through that handle: by the integrity
// check and by every extraction. It is opened by the running module's UTF-16 path, for reading, sharing
// reads only, so while the setup runs nobody can rename, replace or change it; and it must be the image
// that runs (its headers those the loader mapped), not a file put under the name before it was opened.
// Nothing opens the setup by name again.

#include "framework/File_win.h"

enum class SetupFileState {
    Open,
    NotOpened,           // OpenRunningSetupFile has not run
    CannotOpen,          // the system refused; RunningSetupFileError() says why
    NotTheRunningImage,  // another file lies under the setup's name
};

// Opens the file once; later calls return the first call's state.
SetupFileState OpenRunningSetupFile();
SetupFileState RunningSetupFileState();
DWORD RunningSetupFileError();

// The opened file, or null when it is not open or not the running image: the caller refuses as for a
// damaged setup.
CFile* RunningSetupFile();
