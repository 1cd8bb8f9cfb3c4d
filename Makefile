# One-command set-up on a fresh Debian 12 machine: `make run` and `make test`.
BUILD     ?= build
BUILD_TYPE ?= RelWithDebInfo
SUDO      := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Debian packages the build, the tests and the game need.
DEPS := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev \
        libgtest-dev libgmock-dev libbenchmark-dev \
        fonts-dejavu-core fonts-comic-neue fonts-3270

.PHONY: all deps configure build run test test-asan bench clean

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

clean:
	rm -rf $(BUILD)
