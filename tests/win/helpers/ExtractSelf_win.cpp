// Test helper: a program that carries an archive behind its image, as the setup does, and extracts
// it with the setup's extractors. Usage: vt_extract_self DESTINATION\ payload|drivers
// The exit code is the extractor's result.
#include <windows.h>

#include <cstring>

#include "payload/PayloadExtractor_win.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    return std::strcmp(argv[2], "drivers") == 0 ? ExtractDriverFiles(argv[1]) : ExtractPayloadFiles(argv[1]);
}
