# Quorvane: the two commands a newcomer needs, plus a few for developers.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Every build and package of one commit carries that commit's time, not the hour it was made (resource files
# and the package's archives record times), so two checkouts build the same bytes.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: run test test-asan build bench deps configure screenshots fuzz install package clean

# Running and building need only the build list of scripts/install-deps.sh; what drives the program in tests,
# benchmarks and screenshots (Xvfb, a sound server, lintian, ...) comes with these targets, through deps.
test test-asan bench screenshots: DEPS_LIST = test

run: build
	./$(BUILD_DIR)/quorvane

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
	@bash scripts/test-ratio.sh

bench: build
	bash bench/bench.sh $(BUILD_DIR)

# The tests once more, built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of their own;
# the first report ends the test that made it, and so fails the run. The end-to-end tests are left to
# `make test`: they time the real program against a sound server, which the sanitizers slow down.
ASAN_DIR ?= build-asan
SANITIZE = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
test-asan: deps
	@[ -f $(ASAN_DIR)/build.ninja ] || cmake -S . -B $(ASAN_DIR) -G Ninja $(CMAKE_FLAGS) "-DCMAKE_CXX_FLAGS=$(SANITIZE)"
	cmake --build $(ASAN_DIR)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure --timeout 600 -E '^e2e$$'

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

deps:
	@bash scripts/install-deps.sh $(DEPS_LIST)

# The program, its buzzer and help file in PREFIX/lib/quorvane, bin/quorvane, the menu entry and the icons.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package in $(BUILD_DIR); scripts/try-package.sh installs it on a fresh Debian 12 as a user would.
package: build
	cd $(BUILD_DIR) && cpack

screenshots: build
	bash scripts/screenshots.sh

# The RTF reader under libFuzzer for FUZZ_SECONDS (needs clang; make test replays the corpus without it).
FUZZ_SECONDS ?= 300
fuzz:
	bash fuzz/fuzz.sh $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR)
