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
