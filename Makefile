# Front door: make run, make test. Both start by installing what a fresh Debian 12 machine lacks.
SHELL := /bin/bash
ROOT := $(CURDIR)
BUILD := $(ROOT)/build
# SAMPLE_SIZE=full makes the payload of realistic size (one entry of about 35 MB) for benchmarks.
SAMPLE_SIZE ?= small
# VERSION=3.2.1 stamps a release's version into the setup; empty, the project's version (CMakeLists.txt).
VERSION ?=

.PHONY: all bootstrap native win32 x64 dist dist-x64 run test test-native test-win32 test-x64 screenshots bench bench-copy-buffer fuzz clean

all: dist

bootstrap:
	@bash scripts/bootstrap.sh

native: bootstrap
	@cmake --preset native -DVT_VERSION=$(VERSION) >/dev/null
	@cmake --build --preset native

win32: bootstrap
	@cmake --preset win32 -DVT_VERSION=$(VERSION) >/dev/null
	@cmake --build --preset win32

dist: native win32
	@SAMPLE_SIZE=$(SAMPLE_SIZE) bash scripts/make-dist.sh

# The same sources for 64-bit Windows, with their own outputs under build/x64/: what the Windows tests
# run on where a machine runs no 32-bit programs (make test picks it by itself there).
x64: bootstrap
	@cmake --preset x64 -DVT_VERSION=$(VERSION) >/dev/null
	@cmake --build --preset x64

dist-x64: native x64
	@VT_BUILD_ROOT=$(BUILD)/x64 VT_TOOLS_DIR=$(BUILD)/bin SAMPLE_SIZE=$(SAMPLE_SIZE) bash scripts/make-dist.sh

run: dist
	@bash scripts/run.sh

test-native: native
	@ctest --preset native

test-win32: dist
	@scripts/with-display.sh ctest --preset win32

test-x64: dist-x64
	@scripts/with-display.sh ctest --preset x64

# The native tests, then the Windows ones: the 32-bit build's in both prefixes, or on a machine that runs
# no 32-bit programs the 64-bit build's in the 64-bit prefix (scripts/test-all.sh says which ran).
test: dist
	@scripts/with-display.sh bash scripts/test-all.sh

# PNGs of the setup's windows from real Wine windows on a virtual display, into build/screenshots/.
screenshots: native win32
	@bash scripts/screenshots.sh

clean:
	rm -rf $(BUILD)

fuzz: bootstrap
	@CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build/fuzz --target fuzzers
	@bash scripts/fuzz.sh

bench: dist
	@bash bench/run.sh

# The copy loop's buffer size alone, size beside size.
bench-copy-buffer: native
	@bash bench/copy-buffer.sh
