# PebbleFrost: `make run` plays the game, `make test` runs the whole suite.
BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

# Debian packages the build, the data generator and the tests need.
PACKAGES := cmake make g++ pkg-config libsdl2-dev libpng-dev libvorbis-dev libogg-dev \
	libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev libgmock-dev \
	libbenchmark-dev libx11-dev xvfb xdotool x11-utils procps

.PHONY: all deps configure build run run-fullscreen test bench screenshots clean format

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" -eq 0 ]; then \
			echo "Installing: $$missing"; \
			apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
		else \
			echo "Missing packages. Run:"; echo "  sudo apt-get install -y $$missing"; exit 1; \
		fi; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./PebbleFrostWindowed

run-fullscreen: build
	cd $(BUILD) && ./PebbleFrost

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	cd $(BUILD) && ./bench/pebblefrost_bench

# The README's pictures, remade by the replay tool from the scripts in tests/scripts/screenshots.
screenshots: build
	@mkdir -p docs/screenshots
	@for script in tests/scripts/screenshots/*.txt; do \
		name=$$(basename $$script .txt); \
		(cd $(BUILD) && ./pebblefrost-replay $(CURDIR)/$$script \
			--last $(CURDIR)/docs/screenshots/$$name.png) || exit 1; \
	done

format:
	clang-format -i $$(find src tools tests bench -name '*.cpp' -o -name '*.h')

clean:
	rm -rf $(BUILD)
