# The two commands: `make run` and `make test`. Everything else is a helper.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 5
SOAK_HOLES ?= 10000
SOAK_SEED  ?= 1
PREFIX     ?= /usr/local
# Ninja when it is installed (a tree first made with another generator keeps it).
GENERATOR  = $(if $(shell command -v ninja 2>/dev/null),-G Ninja,)
generator  = $(if $(wildcard $(1)/CMakeCache.txt),,$(GENERATOR))

.PHONY: all setup configure build run test unit all-suites sanitize fuzz-smoke fuzz soak bench install clean

all: build

setup:
	scripts/setup

configure: setup
	cmake $(call generator,$(BUILD)) -S . -B $(BUILD) -DGALAPUTT_WERROR=ON $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/game/galaputt

# ctest runs more tests than cores: the real-window tests mostly wait on the
# game, and the long ones say how many cores they take.
CTEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))

# The quick loop: the unit and integration suites, the recorded games, the short
# soak, the real-window and install tests; not the tests labelled long (whole
# courses checked, ten-game matches of the computer players, whole games in a
# real window).
unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(CTEST_JOBS) -LE long

# Every test: all the suites (the long ones too), then the same suites built
# with AddressSanitizer, LeakSanitizer and UBSan, then each fuzz target over its
# corpus.
test: all-suites sanitize fuzz-smoke

all-suites: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(CTEST_JOBS)

# The sanitizer tree takes the data the normal build generated.
sanitize: build
	cmake $(call generator,$(ASAN_BUILD)) -S . -B $(ASAN_BUILD) -DGALAPUTT_SANITIZE=ON \
	  -DGALAPUTT_DATA_FROM=$(abspath $(BUILD))/game $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(CTEST_JOBS)

fuzz-smoke: setup
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(JOBS) scripts/fuzz

# Ten minutes per target; new inputs that add coverage join the kept corpus.
fuzz: setup
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=600 FUZZ_MERGE=1 scripts/fuzz

# The long soak; a failing game's replay lands in $(BUILD)/soak/.
soak: build
	$(BUILD)/game/galaputt-lab soak --holes $(SOAK_HOLES) --seed $(SOAK_SEED) --out $(BUILD)/soak

# The drawing benchmarks, then the processor time of the idle launcher and game under Xvfb.
bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done
	@echo "== bench/idle_cpu.sh"; bench/idle_cpu.sh $(BUILD)/game

# The program folder to PREFIX/lib/galaputt/, the commands to PREFIX/bin/, the
# desktop entry, icons and manual pages to PREFIX/share/.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
