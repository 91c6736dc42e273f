#pragma once
// The version a setup's program image carries in its version resource (the fixed part that Explorer
// shows as "File version"), read from the file without Windows.

#include <cstdint>
#include <string>

#include "payload/ArchiveReader.h"

struct StubVersion {
    bool found = false;
    std::uint16_t parts[4] = {};
};

// The first version resource of the PE image at the start of `file`; found is false when the file is
// no PE image or its image carries none.
StubVersion ReadStubVersion(payload::ArchiveSource& file);

// "3.2.1.0", or "none" when the image carries no version.
std::string StubVersionText(const StubVersion& version);
