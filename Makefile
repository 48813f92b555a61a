# Quorvane: the two commands a newcomer needs, plus a few for developers.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build bench deps configure screenshots fuzz install package clean

run: build
	./$(BUILD_DIR)/quorvane

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300
	@bash scripts/test-ratio.sh

bench: build
	./$(BUILD_DIR)/bench/bench_tick

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

deps:
	@bash scripts/install-deps.sh

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
