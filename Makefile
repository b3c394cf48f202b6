# PebbleFrost: `make run` plays the game, `make test` runs the whole suite.
BUILD ?= build
JOBS ?= $(shell nproc)
BUILD_TYPE ?= RelWithDebInfo

# Debian packages the build, the data generator and the tests need.
PACKAGES := cmake make g++ pkg-config libsdl2-dev libpng-dev libvorbis-dev libogg-dev \
	libcairo2-dev libfreetype-dev fonts-dejavu-core libgtest-dev libgmock-dev \
	libbenchmark-dev libx11-dev xvfb xdotool x11-utils

# The fuzzers need clang and its libFuzzer runtime on top.
FUZZ_PACKAGES := clang libclang-rt-dev

.PHONY: all deps configure build run run-fullscreen test bench screenshots clean format \
	asan-build test-asan soak fuzz

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

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer in its own build folder.
# Leaks owned by system libraries at exit are suppressed in tests/lsan.supp. The CPU-use check
# measures nothing useful under a sanitizer and is left out.
ASAN_BUILD ?= $(BUILD)-asan
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
ASAN_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0
ASAN_TARGETS := pebblefrost_tests pebblefrost_datacheck PebbleFrost PebbleFrostWindowed pebblefrost-replay

asan-build: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS="$(SANITIZE)" \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(ASAN_BUILD) -j $(JOBS) --target $(ASAN_TARGETS)

test-asan: asan-build
	cd $(ASAN_BUILD) && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS) -E '^e2e_menu_cpu$$'

# 100 000 page turns of seeded random play: in the plain build (resident memory must stay flat),
# then under the sanitizers (no report).
SOAK_TURNS ?= 100000
soak: build asan-build
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
