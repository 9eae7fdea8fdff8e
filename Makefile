# The two commands: `make run` and `make test`. Everything else is a helper.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 5

.PHONY: all setup configure build run test unit fuzz-smoke fuzz bench clean

all: build

setup:
	scripts/setup

configure: setup
	cmake -S . -B $(BUILD) -DGALAPUTT_WERROR=ON $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/game/galaputt

unit: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Every test: unit and integration suites, then each fuzz target over its corpus.
test: unit fuzz-smoke

fuzz-smoke: setup
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz

fuzz: setup
	FUZZ_BUILD=$(FUZZ_BUILD) FUZZ_SECONDS=300 scripts/fuzz

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
