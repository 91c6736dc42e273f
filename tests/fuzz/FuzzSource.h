#pragma once
// The fuzzer's bytes as a file for the archive readers.

#include "tests/common/MemorySource.h"

using FuzzSource = testing_archive::BytesSource;
