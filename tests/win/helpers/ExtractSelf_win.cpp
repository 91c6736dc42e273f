// Test helper: a program that carries an archive behind its image, as the setup does, and extracts
// it with the setup's extractor: the driver folders as the driver installation does, or the payload's
// entries (what an installation lists and plans) through the same extractor. Usage:
// vt_extract_self DESTINATION\ payload|drivers
// The exit code is the extractor's result; a failure is described on stderr.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "payload/PayloadExtractor_win.h"
#include "payload/SetupFile_win.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    // As the setup does at start-up, before anything reads its file.
    if (OpenRunningSetupFile() != SetupFileState::Open) {
        std::fprintf(stderr, "the program's own file: state %d, system error %lu\n",
                     static_cast<int>(RunningSetupFileState()), RunningSetupFileError());
        return 0;
    }
    ExtractFailure failure;
    const int result = std::strcmp(argv[2], "drivers") == 0
                           ? ExtractDriverFiles(argv[1], &failure)
                           : ExtractArchiveFiles(RunningSetupFile(), argv[1], payload::Selection::Payload, &failure);
    if (result == 0) {
        std::fprintf(stderr, "extraction failed: kind %d, file %s, system error %lu, archive error %d\n",
                     static_cast<int>(failure.kind), failure.path.c_str(), failure.systemError,
                     static_cast<int>(failure.archiveError));
    }
    return result;
}
