# make run   - build, start the controller simulator and the editor connected to it
# make test  - build and run the whole test suite
# make install [PREFIX=/usr/local] - install the editor, qpl-sim and their files
# make package - the Debian package build/zozedud_<version>_<arch>.deb
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build run test test-asan test-core install package format clean

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
	rm -rf build build-asan build-core
