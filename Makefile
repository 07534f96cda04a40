# Vexa Transfer: `make run` and `make test` do every step from a fresh clone.
BUILD   ?= build
PREFIX  ?= /usr/local
JOBS    ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test test-asan test-tsan build-asan build-tsan bench install clean

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

# Sanitizer suites: each builds its own folder (Debug, -O1) and runs every test with the sanitizer's options.
SAN_DIR := $(CURDIR)/tests/sanitizers
ASAN_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=0:strict_init_order=1:abort_on_error=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:suppressions=$(SAN_DIR)/ubsan.supp \
  LSAN_OPTIONS=suppressions=$(SAN_DIR)/lsan.supp:print_suppressions=0
TSAN_ENV := TSAN_OPTIONS=halt_on_error=0:die_after_fork=0:second_deadlock_stack=1:report_signal_unsafe=0:exitcode=66:suppressions=$(SAN_DIR)/tsan.supp

build-asan build-tsan: deps
	@if [ ! -f $@/CMakeCache.txt ]; then \
	  cmake -S . -B $@ -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug \
	    -DVEXA_SANITIZE=$(if $(filter build-asan,$@),address,thread); \
	fi
	cmake --build $@ -j $(JOBS)

test-asan: build-asan
	cd build-asan && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

test-tsan: build-tsan
	cd build-tsan && $(TSAN_ENV) ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: build
	@set -e; for b in $(BUILD)/bench/*; do \
	  [ -x "$$b" ] || continue; echo "== $$(basename $$b)"; QT_QPA_PLATFORM=offscreen "$$b"; \
	done

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) build-asan build-tsan
