# The README's commands. Each installs what is missing, configures into build/ and builds.
BUILD    ?= build
JOBS     ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps test-asan test-windows fuzz bench clean

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Only what the window needs: the program and its language libraries (the guide is copied when
# the build is configured). The tests are built by `make test`.
run: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target tunesheet
	@scripts/run "$(BUILD)"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The core and the command-line tool again, under AddressSanitizer and UBSan.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DTUNESHEET_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The core, the command-line tool, both language libraries and the core's tests cross-built for
# Windows with MinGW-w64, the tests run under Wine: a prefix of their own in the build folder, no
# display. The Wine server and the prefix's services are started first, apart from CTest, so that
# none of them holds on to the output of the test runs; the server is stopped afterwards. Now and
# then Wine fails to start a test's process at all (no output, a failure within 10 ms): a test
# that fails is run once more, so that only a test that fails twice fails the run.
WINDOWS_BUILD ?= build-windows
WINE_SERVER ?= $(firstword $(wildcard /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver) wineserver)
WINE ?= $(firstword $(wildcard /usr/lib/wine/wine64) wine64)
test-windows: deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake \
	  -DTUNESHEET_CORE_ONLY=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && export WINEPREFIX="$$PWD/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
	    DISPLAY= WAYLAND_DISPLAY= && \
	  $(WINE_SERVER) -p </dev/null >/dev/null 2>&1; \
	  $(WINE) wineboot -u </dev/null >/dev/null 2>&1; \
	  ctest --output-on-failure --repeat until-pass:2 -j $(JOBS); status=$$?; \
	  $(WINE_SERVER) -k; exit $$status

fuzz: deps
	scripts/fuzz $(or $(SECONDS),60)

bench: build
	bench/run

clean:
	rm -rf $(BUILD) build-asan build-fuzz $(WINDOWS_BUILD)
