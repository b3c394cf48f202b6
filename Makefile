# PebbleFrost: `make run` plays the game, `make test` runs the whole suite.
BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

# Debian packages the build, the data generator and the tests need.
PACKAGES := cmake make g++ pkg-config libsdl2-dev libpng-dev libvorbis-dev libogg-dev \
	libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev libgmock-dev \
	libbenchmark-dev libx11-dev xvfb xdotool x11-utils

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

# The browser build (docs/web.md): Debian's Emscripten against libraries built from Debian's
# sources once into ~/.cache/pebblefrost, with the native build's Data packed beside it; tested
# in Debian's headless Chromium.
WEB_BUILD ?= build-web
WEB_DIST := dist/web
WEB_PORT ?= 8080
WEB_PACKAGES := emscripten dpkg-dev chromium
WEB_ENV := NODE_PATH=/usr/share/nodejs
.PHONY: web-deps web serve-web test-web

web-deps: deps
	@missing=$$(for p in $(WEB_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" -ne 0 ]; then \
			echo "Missing packages. Run:"; \
			echo "  sudo apt-get install -y --no-install-recommends $$missing"; exit 1; \
		fi; \
		echo "Installing: $$missing"; apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
			apt-get install -y -qq --no-install-recommends $$missing; \
	fi

web: web-deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@prefix=$$(JOBS=$(JOBS) tools/web/web-libs.sh) && $(WEB_ENV) emcmake cmake -S tools/web \
		-B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DPEBBLEFROST_WEB_PREFIX=$$prefix \
		-DPEBBLEFROST_NATIVE_DATA=$(CURDIR)/$(BUILD)/Data >/dev/null
	@$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	@rm -rf $(WEB_DIST) && mkdir -p $(WEB_DIST)
	@cp tools/web/index.html $(WEB_BUILD)/PebbleFrost.js $(WEB_BUILD)/PebbleFrost.wasm \
		$(WEB_BUILD)/PebbleFrost.data $(WEB_DIST)/
	@ls -l $(WEB_DIST)

serve-web: web
	node tools/web/serve.mjs $(WEB_DIST) $(WEB_PORT)

test-web: web
	@cmake --build $(BUILD) -j $(JOBS) --target pebblefrost-replay
	@cd tools/web && { [ node_modules/.package-lock.json -nt package-lock.json ] || npm ci --no-audit --no-fund; }
	node tools/web/test-web.mjs $(WEB_DIST) $(BUILD)

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
