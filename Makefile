# Torvan: the two commands a newcomer needs are `make run` and `make test`.
# Each installs what is missing, configures, builds and does its job.

BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=

# `make test-asan`: every program and test built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build of its own, then the whole suite.
# ASAN_TESTS narrows it to a CTest regex (e.g. ASAN_TESTS='^Fuzz|Radio/').
ASAN_DIR   ?= build-asan
ASAN_TESTS ?=
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# `make fuzz`: each fuzz target of tests/fuzz for FUZZ_SECONDS with clang's
# libFuzzer, ASan and UBSan, in a build of its own without Qt; fails when a
# target finds something (the input is kept in $(FUZZ_DIR)/fuzz-findings).
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_CXX     ?= clang++-14

# `make windows-check`: the core, its tests and torvan-cli (without Qt)
# cross-built for 64-bit Windows with MinGW-w64 in $(WINDOWS_DIR), static, and
# every test run under Wine in a temporary Wine prefix. torvan-radio-sim for
# this machine is built in $(WINDOWS_DIR)-host: torvan-cli.exe reads and writes
# it through Wine's COM5.
WINDOWS_DIR ?= build-windows
GTEST_SOURCE_DIR ?= /usr/src/googletest

# `make install`: the install tree below PREFIX (bin/, share/torvan/, the
# desktop entry, icons, AppStream description and manual pages).
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench screenshots clean test-asan fuzz package install windows-check

all: build

deps:
	@scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD_DIR)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# `make package`: the Debian package torvan_<version>_<arch>.deb and a .tar.gz
# of the install tree, both in $(BUILD_DIR)/.
package: build
	cmake --build $(BUILD_DIR) --target package
	@ls -l $(BUILD_DIR)/torvan_*.deb $(BUILD_DIR)/torvan-*.tar.gz

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

bench: build
	@scripts/bench.sh $(BUILD_DIR)

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVAN_SANITIZE=ON -DTORVAN_BUILD_BENCH=OFF
	cmake --build $(ASAN_DIR) -j $(JOBS)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS) $(if $(ASAN_TESTS),-R '$(ASAN_TESTS)')

fuzz:
	@scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) \
	  -DTORVAN_FUZZ=ON -DTORVAN_BUILD_QT=OFF -DTORVAN_BUILD_TESTS=OFF -DTORVAN_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target torvan-fuzz-all
	@scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

windows-check:
	@scripts/install-deps.sh windows
	cmake -S . -B $(WINDOWS_DIR)-host -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DTORVAN_BUILD_QT=OFF -DTORVAN_BUILD_TESTS=OFF -DTORVAN_BUILD_BENCH=OFF
	cmake --build $(WINDOWS_DIR)-host -j $(JOBS) --target torvan-radio-sim
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DTORVAN_BUILD_QT=OFF -DTORVAN_BUILD_BENCH=OFF -DTORVAN_GTEST_SOURCE_DIR=$(GTEST_SOURCE_DIR) \
	  -DTORVAN_HOST_RADIO_SIM=$(abspath $(WINDOWS_DIR)-host)/bin/torvan-radio-sim
	cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@scripts/windows-check.sh $(WINDOWS_DIR) $(JOBS)

screenshots: configure
	@scripts/screenshots.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
