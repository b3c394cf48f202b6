# PebbleFrost: `make run` plays the game, `make test` runs the whole suite, `make windows` and
# `make test-windows` build and check the Windows programs.
BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

# Debian packages the build, the data generator and the tests need.
PACKAGES := cmake make g++ pkg-config libsdl2-dev libpng-dev libvorbis-dev libogg-dev \
	libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev libgmock-dev \
	libbenchmark-dev libx11-dev xvfb xdotool x11-utils procps libimagequant-dev

# The fuzzers need clang and its libFuzzer runtime on top.
FUZZ_PACKAGES := clang libclang-rt-dev

.PHONY: all deps configure build run run-fullscreen test test-shuffled bench screenshots clean \
	format asan-build test-asan soak fuzz measure mutants

all: build

# install-missing <packages> <apt options>: installs the Debian packages not installed yet (as
# root), or says what to run.
install-missing = @missing=$$(for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" -ne 0 ]; then \
			echo "Missing packages. Run:"; \
			echo "  sudo apt-get install -y $(2) $$missing"; exit 1; \
		fi; \
		echo "Installing: $$missing"; apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
			apt-get install -y -qq $(2) $$missing; \
	fi

deps:
	$(call install-missing,$(PACKAGES))

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

# The unit suite once more, all of it in one process and in a random order (the seed is printed
# first; GTEST_SEED=n repeats an order): the tests must not lean on each other's leftovers.
test-shuffled: build
	@seed=$(or $(GTEST_SEED),$$(( $$(date +%s) % 99999 + 1 ))); \
	echo "test order seed $$seed (make test-shuffled GTEST_SEED=$$seed repeats it)"; \
	cd $(BUILD) && ./tests/pebblefrost_tests --gtest_shuffle --gtest_random_seed=$$seed \
		--gtest_brief=1

# Mutation testing (tools/mutants/README.md) in its own build folder: MUTATE picks files or
# folders, SAMPLE the number of mutants per path (0: all), SEED which ones.
MUTATE ?= src/scenes/level src/scenes/ending src/scenes/title src/services
SAMPLE ?= 0
SEED ?= 1
mutants: PACKAGES += python3
mutants: deps
	python3 tools/mutants/mutants.py --mutate $(MUTATE) --sample $(SAMPLE) --seed $(SEED) \
		--build $(BUILD)-mutants --jobs $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer in its own build folder.
# Leaks owned by system libraries at exit are suppressed in tests/lsan.supp. The CPU-use check
# measures nothing useful under a sanitizer and is left out.
ASAN_BUILD ?= $(BUILD)-asan
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
ASAN_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
ASAN_TARGETS := pebblefrost_tests pebblefrost_datacheck PebbleFrost PebbleFrostWindowed pebblefrost-replay

KEEP_LOADED = $(abspath $(ASAN_BUILD))/sanitizer_keep_loaded.o
asan-build: deps
	@mkdir -p $(ASAN_BUILD) && cc -c -O1 tests/sanitizer_keep_loaded.c -o $(KEEP_LOADED)
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$(SANITIZE)" \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE) $(KEEP_LOADED)" \
		>/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(ASAN_BUILD) -j $(JOBS) --target $(ASAN_TARGETS)

test-asan: asan-build
	cd $(ASAN_BUILD) && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS) -E '^e2e_menu_cpu$$'

# 100 000 page turns of seeded random play: in the plain build (resident memory must stay flat),
# then under the sanitizers (no report). Before them, the page undo from every page of the
# walkthrough and the unsolved runs with every N from 1 to 30, in state and in pictures.
SOAK_TURNS ?= 100000
soak: build asan-build
	cd $(BUILD) && PEBBLEFROST_UNDO_FULL=1 ./tests/pebblefrost_tests --gtest_filter='UndoFromWalkthrough.*'
	cd $(BUILD) && PEBBLEFROST_SOAK_TURNS=$(SOAK_TURNS) ./tests/pebblefrost_tests --gtest_filter='SoakTest.*'
	cd $(ASAN_BUILD) && $(ASAN_ENV) PEBBLEFROST_SOAK_TURNS=$(SOAK_TURNS) \
		./tests/pebblefrost_tests --gtest_filter='SoakTest.*'

# libFuzzer: each target for FUZZ_SECONDS, seeded from the shipped data; inputs that crash are
# copied to tests/fuzz_regressions/<target>/ (the suite replays them) and fail the run.
FUZZ_BUILD ?= $(BUILD)-fuzz
FUZZ_SECONDS ?= 60
fuzz: PACKAGES += $(FUZZ_PACKAGES)
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DPEBBLEFROST_FUZZ=ON -DCMAKE_C_FLAGS="$(SANITIZE) -fsanitize=fuzzer-no-link" \
		-DCMAKE_CXX_FLAGS="$(SANITIZE) -fsanitize=fuzzer-no-link" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	cd $(BUILD) && ./bench/pebblefrost_bench

# Start-up time, resident memory at the menu and in the level, and idle processor time per
# thread, of the windowed game on a virtual X display.
measure: build
	tools/measure/measure.sh $(BUILD)

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
	$(call install-missing,$(WEB_PACKAGES),--no-install-recommends)

web: web-deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@prefix=$$(JOBS=$(JOBS) tools/web/web-libs.sh) && $(WEB_ENV) emcmake cmake -S tools/web \
		-B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DPEBBLEFROST_WEB_PREFIX=$$prefix \
		-DPEBBLEFROST_NATIVE_DATA=$(CURDIR)/$(BUILD)/Data >/dev/null
	@$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	@rm -rf $(WEB_DIST) && mkdir -p $(WEB_DIST)
	@cp tools/web/index.html $(WEB_BUILD)/PebbleFrost.js $(WEB_BUILD)/PebbleFrost.wasm \
		$(WEB_BUILD)/PebbleFrost.data $(WEB_BUILD)/PebbleFrostEnding.js \
		$(WEB_BUILD)/PebbleFrostEnding.data $(WEB_DIST)/
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

# The whole lane at page 0 (every object at its start place, with its slot) and a contact sheet
# of the level's and the ending's pictures, into $(BUILD)/lane; the shrunk lane is copied to
# docs/level_lane.png, which data/LEVEL.md shows.
.PHONY: lane
lane: configure
	@cmake --build $(BUILD) -j $(JOBS) --target pebblefrost-lane gamedata
	@$(BUILD)/pebblefrost-lane $(BUILD) $(BUILD)/lane
	@cp $(BUILD)/lane/lane_small.png docs/level_lane.png

# Windows: cross-built here with MinGW-w64 against static libraries from Debian's sources (built
# once into ~/.cache/pebblefrost), with the native build's Data, and tested under Wine.
WIN_BUILD ?= build-mingw
WIN_DIST := dist/windows
# Wine without its recommended extras, but with the X libraries its display driver loads.
WIN_PACKAGES := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 dpkg-dev \
	ninja-build xvfb xdotool x11-utils libx11-dev libpng-dev libxrandr2 libxi6 libxcursor1 \
	libxinerama1 libxcomposite1 libxrender1 libxxf86vm1 libgl1 libgl1-mesa-dri
.PHONY: windows-deps windows windows-zip test-windows

windows-deps: deps
	$(call install-missing,$(WIN_PACKAGES),--no-install-recommends)

windows: windows-deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@prefix=$$(JOBS=$(JOBS) tools/windows/mingw-libs.sh) && \
	cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/windows/mingw.cmake \
		-DPEBBLEFROST_MINGW_PREFIX=$$prefix -DPEBBLEFROST_NATIVE_DATA=$(CURDIR)/$(BUILD)/Data >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS) --target PebbleFrost PebbleFrostWindowed gamedata
	@rm -rf $(WIN_DIST) && mkdir -p $(WIN_DIST)
	@cp $(WIN_BUILD)/PebbleFrost.exe $(WIN_BUILD)/PebbleFrostWindowed.exe $(WIN_DIST)/
	@cp -r $(WIN_BUILD)/Data $(WIN_DIST)/Data && rm -rf $(WIN_DIST)/Data/.generated $(WIN_DIST)/Data/icon
	@tools/windows/check-imports.sh $(WIN_DIST)/*.exe

windows-zip: windows
	@rm -rf dist/zip && mkdir -p dist/zip && cp -r $(WIN_DIST) dist/zip/PebbleFrost
	@cd dist/zip && cmake -E tar cf ../PebbleFrost-windows.zip --format=zip PebbleFrost
	@rm -rf dist/zip && echo "dist/PebbleFrost-windows.zip"

test-windows: build windows
	JOBS=$(JOBS) tools/windows/test.sh $(WIN_BUILD) $(WIN_DIST) $(BUILD)

# Installing and packaging (README, "Install"). `make install PREFIX=P DESTDIR=D` installs the
# programs into P/games, the data into P/share/pebblefrost, and the menu entry, icons, metainfo
# and manual page beside (packaging/linux/install.cmake).
VERSION := $(shell sed -n 's/^project.PebbleFrost VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
PREFIX ?= /usr/local
DEB_BUILD ?= build-deb
DEB_ARCH := $(shell dpkg --print-architecture)
DEB_FILE := dist/pebblefrost_$(VERSION)-1_$(DEB_ARCH).deb
SETUP_FILE := dist/PebbleFrost-$(VERSION)-windows-setup.exe
DEB_FLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
PACKAGE_PACKAGES := dpkg-dev fakeroot file lintian desktop-file-utils appstream man-db
INSTALLER_PACKAGES := nsis
INSTALL_TARGETS := PebbleFrost PebbleFrostWindowed gamedata manpages
.PHONY: package-deps install check-install deb windows-installer test-install release

package-deps: deps
	$(call install-missing,$(PACKAGE_PACKAGES),--no-install-recommends)

install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(INSTALL_TARGETS)
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The installed files checked by their own validators, from an install into a scratch folder.
check-install: package-deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(INSTALL_TARGETS)
	@rm -rf $(BUILD)/install-check && DESTDIR=$(CURDIR)/$(BUILD)/install-check \
		cmake --install $(BUILD) --prefix /usr >/dev/null
	packaging/linux/validate.sh $(BUILD)/install-check/usr

# The Debian package, made by CPack from a build configured for /usr with Debian's hardening
# flags; the data is copied from the native build rather than generated again.
deb: package-deps configure
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
		-DPEBBLEFROST_DEB=ON -DPEBBLEFROST_NATIVE_DATA=$(CURDIR)/$(BUILD)/Data \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
		-DCMAKE_C_FLAGS="$$($(DEB_FLAGS) CFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CXXFLAGS) $$($(DEB_FLAGS) CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS) --target $(INSTALL_TARGETS) debchangelog
	@rm -f $(DEB_BUILD)/pebblefrost_*.deb && cd $(DEB_BUILD) && cpack -G DEB >/dev/null
	@mkdir -p dist && rm -f dist/pebblefrost_*.deb && cp $(DEB_BUILD)/$(notdir $(DEB_FILE)) dist/
	packaging/deb/check-deb.sh $(DEB_FILE)

windows-installer: windows
	$(call install-missing,$(INSTALLER_PACKAGES),--no-install-recommends)
	packaging/windows/make-installer.sh $(WIN_DIST) $(BUILD)/Data/icon/PebbleFrost.ico \
		$(SETUP_FILE) $(VERSION)

# Both packages installed and played: the .deb unpacked into a fresh root, the setup program
# under Wine in a new prefix (README, "Install").
test-install: deb windows-installer
	@cmake --build $(BUILD) -j $(JOBS) --target pebblefrost-replay
	packaging/deb/test-deb.sh $(DEB_FILE) $(BUILD)
	packaging/windows/test-installer.sh $(SETUP_FILE) $(WIN_DIST) $(BUILD)

# The release files in dist/ with their SHA-256 sums: the Debian package, the Windows setup
# program and zip, and the browser build as a zip (one PebbleFrost-web folder).
RELEASE_FILES := $(DEB_FILE) $(SETUP_FILE) dist/PebbleFrost-windows.zip dist/PebbleFrost-web.zip
release: deb windows-installer windows-zip web
	@rm -rf dist/zip-web && mkdir -p dist/zip-web && cp -r $(WEB_DIST) dist/zip-web/PebbleFrost-web
	@cd dist/zip-web && cmake -E tar cf ../PebbleFrost-web.zip --format=zip PebbleFrost-web
	@rm -rf dist/zip-web
	@cd dist && sha256sum $(notdir $(RELEASE_FILES)) >SHA256SUMS && sha256sum -c --quiet SHA256SUMS
	@ls -l $(RELEASE_FILES) dist/SHA256SUMS && cat dist/SHA256SUMS

format:
	clang-format -i $$(find src tools tests bench -name '*.cpp' -o -name '*.h')

clean:
	rm -rf $(BUILD) $(WIN_BUILD) dist
