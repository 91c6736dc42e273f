#pragma once
// Writing one planned file (install/InstallPlan.h) under its temporary name beside its destination,
// from wherever its bytes come from: the setup's archive, a file beside the setup, "SoftCfg.ini" with
// its language, a shell link.

#include <string>

#include "framework/File_win.h"
#include "framework/FunctionRef.h"
#include "install/InstallPlan.h"
#include "payload/PayloadExtractor_win.h"

// `temporary` is made new, never over an existing file. `buffer` holds payload::kCopyBufferSize
// bytes. `created` tells whether this call made the file (also when it then failed): only then is it
// the caller's to remove. False with the failure: kind Read naming the source (the setup's file, or the
// file beside it), kind CreateFile or Write naming the destination, and the system's reason. `moved` is
// told the bytes of each chunk copied.
bool WriteStagedFile(const install::PlannedFile& file,
                     const std::string& temporary,
                     CFile& setup,
                     char* buffer,
                     FunctionRef<void(std::uint64_t)> moved,
                     ExtractFailure* failure,
                     bool* created);

// Whether a failure to make a new file says that its name is taken.
bool IsNameTaken(const ExtractFailure& failure);
