# Set-up, build, test and run in one place. Every target installs what it
# needs first, so each works on a fresh Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
JOBS       ?= $(shell nproc)
EXAMPLE    ?= examples/sample-road.xml
OUT        ?= out
CMAKE_FLAGS ?=

.PHONY: all deps build build-asan test test-release test-asan test-tsan test-fuzz test-bare tidy run bench fuzz format format-check screenshot package clean
.PHONY: deps-windows windows test-windows compare-windows qt-windows windows-desktop test-windows-desktop windows-installer screenshot-windows

all: build

deps:
	@sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCHAINFORGE_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCHAINFORGE_WERROR=ON -DCHAINFORGE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: build-asan
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Each fuzz target also runs briefly, so a new crash shows up in every test run.
test-fuzz:
	$(MAKE) fuzz FUZZ_SECONDS=15

# The committed HEAD in a clone with nothing beside it: the suite must pass
# there too, its cases that need the full corpus of real exports skipped.
test-bare: deps
	sh scripts/test-bare.sh $(JOBS)

# The conversion and the desktop program's work off the window's thread, under
# ThreadSanitizer (Qt itself is not instrumented: its own internals are
# suppressed in tests/tsan.supp, never the project's code).
TSAN_ENV = TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/tsan.supp
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCHAINFORGE_WERROR=ON -DCHAINFORGE_TSAN=ON $(CMAKE_FLAGS)
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_convert test_gui
	$(TSAN_ENV) $(TSAN_BUILD)/tests/test_convert --gtest_brief=1
	QT_QPA_PLATFORM=offscreen $(TSAN_ENV) $(TSAN_BUILD)/tests/gui/test_gui \
	    loadsWhatTheFieldNames createAndEnterWriteTheFiles previewFollowsTheSelections

# clang-tidy over the project's sources with the checks in .clang-tidy.
tidy: build
	@if command -v run-clang-tidy >/dev/null 2>&1; then \
	    run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) '$(CURDIR)/src/' >$(BUILD)/tidy.log 2>&1 \
	        || { grep -E 'error:|warning:' $(BUILD)/tidy.log | sort -u; exit 1; }; \
	    echo "tidy: clean"; \
	else echo "tidy: clang-tidy is not installed; skipped"; fi

test: format-check test-fuzz test-release tidy test-asan test-tsan test-windows test-windows-desktop test-bare

run: build
	@mkdir -p $(OUT)
	./$(BUILD)/chainforge-cli list $(EXAMPLE)
	./$(BUILD)/chainforge-cli convert $(EXAMPLE) --points "Control Survey" \
	    --alignment "MC01 - Main carriageway" --profile "Design FG - Finished grade" \
	    --surface "Design Surface" --ascii-out $(OUT)/sample-road.asc \
	    --chain-out $(OUT)/sample-road.ch --force

bench: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCHAINFORGE_WERROR=ON -DCHAINFORGE_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)
	sh bench/run.sh $(BUILD)

screenshot: build
	sh scripts/screenshot.sh $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHAINFORGE_FUZZ=ON \
	    -DCHAINFORGE_TESTS=OFF -DCHAINFORGE_GUI=OFF -DCHAINFORGE_SANITIZE=ON -DCHAINFORGE_WERROR=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) sh fuzz/run.sh $(FUZZ_BUILD)

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

format-check: deps
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror

# Windows: cross-built with mingw-w64, run under Wine with a prefix of the
# build's own (made once, quietly; console programs need no display).
WIN_BUILD ?= build-windows
WINE_ENV   = WINEDEBUG=-all WINEPREFIX=$(abspath $(WIN_BUILD))/wine

deps-windows:
	@sh scripts/install-deps.sh windows

windows: deps-windows
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DCHAINFORGE_WERROR=ON -DCHAINFORGE_GUI=OFF
	cmake --build $(WIN_BUILD) -j $(JOBS)
	@test -f $(WIN_BUILD)/wine/system.reg || $(WINE_ENV) wineboot -i >$(WIN_BUILD)/wineboot.log 2>&1 \
	    || { sleep 2; $(WINE_ENV) wineboot -i >$(WIN_BUILD)/wineboot.log 2>&1; } \
	    || { cat $(WIN_BUILD)/wineboot.log; exit 1; }

# Wine's server and services start with the first program and keep its
# output open until they end: started here first, they hold no test's output.
# Now and then Wine fails to start a program at all (no output, failed at
# once): a test is run a second time before it counts as failed.
test-windows: windows build
	@$(WINE_ENV) wineserver -p30 </dev/null >/dev/null 2>&1 || true
	@$(WINE_ENV) wine cmd /c exit </dev/null >/dev/null 2>&1 \
	    || $(WINE_ENV) wine cmd /c exit </dev/null >/dev/null 2>&1 \
	    || { echo "Wine could not start a program"; exit 1; }
	cd $(WIN_BUILD) && $(WINE_ENV) ctest --output-on-failure -j $(JOBS) --repeat until-pass:2
	$(WINE_ENV) sh scripts/compare-windows.sh $(BUILD) $(WIN_BUILD)

# The desktop program for Windows: Qt for Windows is built once per machine
# into a cache folder (about half an hour); the rest builds against it.
qt-windows:
	sh scripts/build-qt-windows.sh

windows-desktop:
	sh scripts/windows-desktop.sh build

# The GUI test under Wine and the installer's check; skipped with the reason
# when Qt for Windows has not been built on this machine.
test-windows-desktop:
	sh scripts/windows-desktop.sh test

windows-installer:
	sh scripts/windows-desktop.sh installer

screenshot-windows:
	sh scripts/windows-desktop.sh screenshot

# chainforge-cli.exe against the Linux build, on every sample.
compare-windows: build windows
	$(WINE_ENV) sh scripts/compare-windows.sh $(BUILD) $(WIN_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(WIN_BUILD) build-windows-desktop $(OUT)
