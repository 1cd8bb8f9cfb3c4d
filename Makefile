# SPDX-License-Identifier: GPL-3.0-or-later
# One-command set-up on a fresh Debian 12 machine: `make run` and `make test`.
BUILD     ?= build
BUILD_TYPE ?= RelWithDebInfo
PREFIX    ?= /usr/local
SUDO      := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build, the tests and the game need.
DEPS := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev \
        libgtest-dev libgmock-dev libbenchmark-dev \
        fonts-dejavu-core fonts-comic-neue fonts-3270 \
        qt6-translations-l10n \
        dpkg-dev file desktop-file-utils appstream lintian man-db xvfb xdotool x11-utils \
        locales libc-l10n

.PHONY: all deps configure build run test test-asan bench bench-startup package install uninstall clean

all: build

deps:
	@missing=""; for p in $(DEPS); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBRIXOLAN_WERROR=ON

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/brixolan

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600

bench: build
	$(BUILD)/bin/brixolan-bench-engine
	$(BUILD)/bin/brixolan-bench-drawing

# Start-up time beside a bare Qt window, memory and the CPU of an idle game under Xvfb, as a
# table (bench/startup.sh).
bench-startup: build
	bash bench/startup.sh $(BUILD)/bin

# The Debian package, $(BUILD)/brixolan_<version>_<arch>.deb: `sudo apt install ./<file>`.
package: build
	cmake --build $(BUILD) --target package

# `make install PREFIX=...` (default /usr/local; sudo where the prefix is not writable), and
# `make uninstall` with the same PREFIX, which runs the uninstall script that install wrote.
install: build
	@if [ -w "$(PREFIX)" ] || { [ ! -e "$(PREFIX)" ] && mkdir -p "$(PREFIX)" 2>/dev/null; }; then \
	  cmake --install $(BUILD) --prefix "$(PREFIX)"; \
	else $(SUDO) cmake --install $(BUILD) --prefix "$(PREFIX)"; fi

uninstall:
	@script="$(PREFIX)/share/games/brixolan/uninstall"; \
	if [ ! -f "$$script" ]; then echo "Brixolan is not installed under $(PREFIX)"; exit 1; fi; \
	if [ -w "$$(dirname "$$script")" ]; then sh "$$script"; else $(SUDO) sh "$$script"; fi

clean:
	rm -rf $(BUILD)

# --- Sanitizers and fuzzing (tests/reliability, fuzz) -------------------------------------
ASAN_BUILD   ?= build-asan
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := score_file settings bitmap simulator journal
FUZZ_DEPS    := clang libclang-rt-14-dev
JOBS         ?= -j2
SANITIZE     := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
# The sanitizers' settings and suppressions are compiled into every program of that build.
SANITIZER_DEFAULTS = $(abspath $(ASAN_BUILD))/sanitizer-defaults.o

.PHONY: test-asan fuzz

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, assertions on.
test-asan: deps
	mkdir -p $(ASAN_BUILD)
	g++ -c -O1 tests/reliability/SanitizerDefaults.cpp -o $(SANITIZER_DEFAULTS)
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIXOLAN_WERROR=ON \
	  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1 -D_GLIBCXX_ASSERTIONS $(SANITIZE)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE) $(SANITIZER_DEFAULTS)" \
	  -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE)"
	QT_QPA_PLATFORM=offscreen cmake --build $(ASAN_BUILD) $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS) --timeout 900

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS, one after the other.
# New inputs and crashes land in $(FUZZ_BUILD)/fuzz-work/<target>; a crash worth keeping goes
# to fuzz/regressions/<target>, which the ordinary suite replays.
fuzz:
	@$(MAKE) --no-print-directory deps DEPS="$(DEPS) $(FUZZ_DEPS)"
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBRIXOLAN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) $(JOBS) --target fuzzers
	@for t in $(FUZZ_TARGETS); do \
	  work=$(FUZZ_BUILD)/fuzz-work/$$t; mkdir -p $$work/corpus $$work/artifacts; \
	  regressions=; [ -d fuzz/regressions/$$t ] && regressions=fuzz/regressions/$$t; \
	  echo "== $$t: $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=4096 \
	    -print_final_stats=1 -artifact_prefix=$$work/artifacts/ \
	    $$work/corpus fuzz/corpus/$$t $$regressions || exit 1; \
	done
