// vtsample PAYLOAD_DIR --programs DIR [--size small|full]
// Writes the sample payload, the folder tree that the packer turns into the setup's archive.

#include <cstdio>
#include <string>
#include <string_view>

#include "sample/SampleTree.h"

namespace {

int Usage() {
    std::fputs("usage: vtsample PAYLOAD_DIR --programs DIR [--size small|full]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    sample::SampleTreeOptions options;
    bool havePrograms = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--programs" && i + 1 < argc) {
            options.programsDir = argv[++i];
            havePrograms = true;
        } else if (arg == "--size" && i + 1 < argc) {
            const std::string_view size = argv[++i];
            if (size == "small") {
                options.size = sample::SampleSize::Small;
            } else if (size == "full") {
                options.size = sample::SampleSize::Full;
            } else {
                return Usage();
            }
        } else if (!arg.starts_with("-") && options.payloadDir.empty()) {
            options.payloadDir = argv[i];
        } else {
            return Usage();
        }
    }
    if (options.payloadDir.empty() || !havePrograms) {
        return Usage();
    }
    const sample::SampleTreeResult result = sample::WriteSampleTree(options);
    if (!result.error.empty()) {
        std::fprintf(stderr, "vtsample: %s\n", result.error.c_str());
        return 1;
    }
    std::printf("vtsample: %llu files, %llu bytes in %s\n", static_cast<unsigned long long>(result.fileCount),
                static_cast<unsigned long long>(result.byteCount), options.payloadDir.string().c_str());
    return 0;
}
