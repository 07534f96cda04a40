# Vexa Transfer: `make run` and `make test` do every step from a fresh clone.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
# The compiler cache keys paths inside the checkout relative to it, so a clone in another folder (as CI
# makes) reuses what an earlier build of the same sources compiled.
export CCACHE_BASEDIR ?= $(CURDIR)

.PHONY: all deps configure build run test soak screens test-asan test-tsan build-asan build-tsan bench install clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_INSTALL_PREFIX=$(PREFIX); \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The demo device lives in the simulator; VEXA_BACKEND=auto make run takes a plugged-in phone instead.
run: build
	VEXA_BACKEND=$${VEXA_BACKEND:-sim} $(BUILD)/bin/vexa-transfer

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) -LE soak

# The long plug/unplug soak: 200 cycles of two devices (VEXA_SOAK_CYCLES), about two minutes; the suite
# runs 50.
soak: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -L soak

# Pictures of every window in English, German and Chinese, for a look by eye (SCREENS_DIR, default
# $(BUILD)/screens).
screens: build
	cmake --build $(BUILD) -j $(JOBS) --target screens-programs
	SCREENS_DIR=$${SCREENS_DIR:-$(BUILD)/screens} bash scripts/make-screens.sh $(BUILD)

# Sanitizer suites: each builds its own folder (Debug, -O1) and runs every test with the sanitizer's options.
SAN_DIR := $(CURDIR)/tests/sanitizers
ASAN_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=0:strict_init_order=1:abort_on_error=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$(SAN_DIR)/ubsan.supp \
  LSAN_OPTIONS=suppressions=$(SAN_DIR)/lsan.supp:print_suppressions=0
# TSan keeps the longest history it can (history_size=7): a hand-over inside Qt's event queue is recognised
# only when the stack of the earlier access can still be restored.
TSAN_ENV := TSAN_OPTIONS=halt_on_error=0:history_size=7:die_after_fork=0:second_deadlock_stack=1:report_signal_unsafe=0:exitcode=66:suppressions=$(SAN_DIR)/tsan.supp

build-asan build-tsan: deps
	@if [ ! -f $@/CMakeCache.txt ]; then \
	  cmake -S . -B $@ -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug \
	    -DVEXA_SANITIZE=$(if $(filter build-asan,$@),address,thread); \
	fi
	cmake --build $@ -j $(JOBS)

test-asan: build-asan
	cd build-asan && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS) -LE soak $(CTEST_ARGS)

test-tsan: build-tsan
	$(TSAN_ENV) bash scripts/test-tsan.sh build-tsan -j $(JOBS) -LE soak $(CTEST_ARGS)

# --- Benchmarks: every program in $(BUILD)/bench/benchmarks.txt, then one table (also bench/RESULTS.md).
# Fails when a program crashes or fails; figures over their limit fail it only with BENCH_STRICT=1.
bench: build
	bash scripts/run-bench.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) build-asan build-tsan

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
