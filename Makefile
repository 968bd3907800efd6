# Two commands set up a fresh Debian machine: `make run` and `make test`.
# Both install the Debian packages the build needs when they are missing.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGES := cmake g++ make pkg-config libsdl2-dev libsdl2-mixer-dev libepoxy-dev \
            libglm-dev libstb-dev libgtest-dev libvorbis-dev zlib1g-dev xvfb xauth libgl1-mesa-dri libgtk-3-dev \
            xdotool appstream desktop-file-utils strace python3 apitrace libboost1.81-dev \
            libcpp-httplib-dev libsqlite3-dev libssl-dev nlohmann-json3-dev libcurl4-openssl-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all run test test-fast test-asan test-web soak deps web-deps build build-asan clean bench package web serve fuzz fuzz-deps board

all: build

# Installs the Debian packages named in $(1) that are not installed yet.
define install_missing
@missing=""; for p in $(1); do \
  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
  echo "installing:$$missing"; \
  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
fi
endef

deps:
	$(call install_missing,$(PACKAGES))

# The browser build: Debian's emscripten, and Chromium driven headless by the browser test.
WEB_BUILD    ?= build-web
WEB_PACKAGES := emscripten chromium chromium-driver python3-selenium python3-pil

web-deps:
	$(call install_missing,$(WEB_PACKAGES))

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

$(ASAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQUIVEX_SANITIZE=ON

# The boards server alone (every build makes it too); docs/board.md says how to run it.
board: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target quivex-board quivex-sim

build-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./quivex

# Every test, then every test again under AddressSanitizer + UndefinedBehaviorSanitizer, then the
# browser build in headless Chromium.
test: test-fast test-asan test-web

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-asan: build-asan
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# A million frames of every kind of game, flown by the autopilot, under the sanitizers; then the runner
# killed at 300 moments of its saves.
soak: build build-asan
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) QUIVEX_SOAK_FRAMES=500000 ./tests/quivex_tests --gtest_filter='Soak.*'
	python3 tests/saves/saves_test.py $(BUILD)/quivex-sim kills --kills 300

# Coverage-guided fuzzing of every reader of the player's files, with Debian's clang and libFuzzer
# (libclang-rt-14-dev holds libclang_rt.fuzzer): each harness in turn for FUZZ_SECONDS on a scratch copy
# of its corpus, then a table. FUZZ_HARNESSES="replay" fuzzes only those named.
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 600
FUZZ_HARNESSES ?=
FUZZ_PACKAGES  := clang libclang-rt-14-dev

fuzz-deps:
	$(call install_missing,$(FUZZ_PACKAGES))

$(FUZZ_BUILD)/CMakeCache.txt: | deps fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUIVEX_FUZZ=ON

fuzz: deps fuzz-deps $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_harnesses
	bash tests/fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_HARNESSES)

# Builds only what the benches need, then runs them. Configuring again picks up bench/ in a build folder
# set up before it existed.
bench: deps $(BUILD)/CMakeCache.txt
	cmake -S . -B $(BUILD) > /dev/null
	cmake --build $(BUILD) -j $(JOBS) --target bench

# A Debian package of the game in $(BUILD)/: dpkg-shlibdeps (dpkg-dev) and file work out its Depends.
package: PACKAGES += dpkg-dev file
package: build
	cmake --build $(BUILD) --target package

# The game for web browsers in $(WEB_BUILD)/ (index.html, .js, .wasm), by Debian's emscripten. The asset
# generators run on this machine, in the native build, and the browser build embeds what they wrote.
# Debian's emscripten finds its JavaScript tools (acorn) where Debian's Node.js looks; another Node.js
# on the PATH is told.
web: export NODE_PATH := /usr/share/nodejs
web: deps web-deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target quivex_assets
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DQUIVEX_HOST_BUILD=$(CURDIR)/$(BUILD) > /dev/null
	cmake --build $(WEB_BUILD) -j $(JOBS)

WEB_PORT ?= 8080
serve: web
	@echo "quiv-ex is at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops the server)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

# The browser build played in headless Chromium (Debian's, driven by chromedriver and python3-selenium;
# Debian's own python3, which has selenium), then the boards server's page there. Skipped, saying so, only
# where emscripten and Chromium cannot be installed.
test-web:
	@if ! $(MAKE) --no-print-directory web-deps; then \
	  echo "test-web: SKIPPED: emscripten and chromium could not be installed from Debian's packages"; \
	else \
	  $(MAKE) --no-print-directory web && /usr/bin/python3 tests/web/browser_test.py $(WEB_BUILD) $(WEB_BUILD)/shots && \
	  $(MAKE) --no-print-directory board && \
	  /usr/bin/python3 tests/board/board_page_test.py $(BUILD)/quivex-board $(BUILD)/quivex-sim $(WEB_BUILD)/shots; \
	fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD) $(FUZZ_BUILD)
