# Vexa Transfer: `make run` and `make test` do every step from a fresh clone.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test bench install clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_INSTALL_PREFIX=$(PREFIX); \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/vexa-transfer

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# --- Benchmarks: every program in $(BUILD)/bench/benchmarks.txt, then one table (also bench/RESULTS.md).
# Fails when a program crashes or fails; figures over their limit fail it only with BENCH_STRICT=1.
bench: build
	bash scripts/run-bench.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)

# --- Fuzzing: libFuzzer programs in their own clang build; each target runs FUZZ_SECONDS (FUZZ_JOBS at once).
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 1

.PHONY: fuzz fuzz-build

fuzz-build: deps
	@if [ ! -f $(FUZZ_BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(FUZZ_BUILD) -G "$(GENERATOR)" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXA_FUZZ=ON; \
	fi
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(FUZZ_JOBS) bash scripts/run-fuzz.sh $(FUZZ_BUILD)
