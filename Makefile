# Set-up, build, test and run in one place. Every target installs what it
# needs first, so each works on a fresh Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
EXAMPLE    ?= examples/sample-road.xml
OUT        ?= out
CMAKE_FLAGS ?=

.PHONY: all deps build build-asan test test-release test-asan test-fuzz run bench fuzz format format-check screenshot package clean

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

test: test-fuzz test-release test-asan

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

format-check:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(OUT)
