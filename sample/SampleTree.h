#pragma once
// Writes the sample payload as a folder tree on the build host, the input of the packer.

#include <cstdint>
#include <filesystem>
#include <string>

#include "sample/SampleContent.h"

namespace sample {

struct SampleTreeOptions {
    std::filesystem::path payloadDir;   // made anew: an earlier payload in it is removed first
    std::filesystem::path programsDir;  // holds the built stand-in programs under their file names
    SampleSize size = SampleSize::Small;
};

struct SampleTreeResult {
    std::string error;  // empty on success
    std::uint64_t fileCount = 0;
    std::uint64_t byteCount = 0;
};

// Refuses, without touching it, a payload folder that holds anything but the top folders of a sample
// payload: a mistyped path must not cost someone their files.
SampleTreeResult WriteSampleTree(const SampleTreeOptions& options);

}  // namespace sample
