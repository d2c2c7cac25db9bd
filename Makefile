# make run   - build, start the controller simulator and the editor connected to it
# make test  - build and run the whole test suite
# make install [PREFIX=/usr/local] - install the editor, qpl-sim and their files
# make package - the Debian package build/zozedud_<version>_<arch>.deb
# make fuzz  - build the fuzz targets with clang and run each for FUZZ_SECONDS (default 60)
# make bench - start-up, memory, transfer and idle measurements of the editor
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test test-asan test-core install package fuzz bench format clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build build -j $(JOBS)

test: build
	cd build && ctest --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOZ_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

# The core library alone, without any QtWidgets target, so that the split cannot erode.
test-core: deps
	cmake -S . -B build-core -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOZ_GUI=OFF $(CMAKE_FLAGS)
	cmake --build build-core -j $(JOBS)
	cd build-core && ctest --output-on-failure -j $(JOBS)

# libFuzzer targets under AddressSanitizer and UndefinedBehaviorSanitizer; failing inputs are kept
# in fuzz/regressions/<target>/ and replayed by the test suite.
fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DZOZ_FUZZ=ON -DZOZ_GUI=OFF $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	tools/run-fuzzers.sh build-fuzz/fuzz $(FUZZ_SECONDS)

# Start-up and memory against a bare Qt window, transfer times and wake-ups; not a test.
bench: build
	tools/bench.sh

# Only what it runs: the editor, the simulator and the program folder (settings, default data).
run: configure
	cmake --build build -j $(JOBS) --target zozedud qpl-sim program-folder
	tools/run.sh

install: build
	cmake --install build --prefix $(PREFIX)

package: build
	cd build && cpack

format: deps
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-core build-fuzz
