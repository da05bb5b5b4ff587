# Entry points: make demo, make test, make bench, make format, make clean.
# Every build goes through CMake; Ninja is used when it is installed.

SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c
.DEFAULT_GOAL := help

BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCH_ARGS ?=
FUZZ_SECONDS ?= 60

# Sanitizer run: any report fails its test. Leaks inside system libraries that cannot be fixed here
# are listed, with the reason, in scripts/lsan.supp.
SANITIZER_ENV := \
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:check_initialization_order=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The sanitizer build is made with clang when it is installed (setup-deps installs it): the tree then
# also carries libFuzzer's coverage and the fuzz harnesses come out of the same build. A build-asan/
# configured with another compiler keeps it (CMake cannot switch); `make clean` starts afresh.
ASAN_COMPILERS := $(shell command -v clang++ >/dev/null 2>&1 && echo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
ASAN_CONFIG := -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON -DZEL_BUILD_DEMO=OFF -DBUILD_TESTING=ON -DZEL_BUILD_BENCHMARKS=OFF

# $(call configure,DIR,CMAKE ARGS): configures DIR with Ninja when it is available. A directory that
# is already configured keeps its generator and compilers (CMake refuses to switch); $(3) are
# arguments given only to a directory configured for the first time.
define configure
	if [ ! -f $(1)/CMakeCache.txt ] && command -v ninja >/dev/null 2>&1; then gen=(-G Ninja); else gen=(); fi; \
	if [ ! -f $(1)/CMakeCache.txt ]; then first=($(3)); else first=(); fi; \
	cmake -S . -B $(1) "$${gen[@]}" "$${first[@]}" $(2)
endef

.PHONY: help deps demo test fuzz bench format clean

help:
	@echo "make demo    build (Release, $(BUILD_DIR)/) and run the demo: the launcher with a display, the tour without"
	@echo "make test    build and run every test, again under ASan+UBSan ($(ASAN_DIR)/), then check formatting"
	@echo "make fuzz    build the fuzz harnesses ($(ASAN_DIR)/, clang) and run each for FUZZ_SECONDS (default $(FUZZ_SECONDS))"
	@echo "make bench   build with benchmarks (Release, $(BUILD_DIR)/) and run every $(BUILD_DIR)/bin/bench_*"
	@echo "make format  clang-format every tracked .h/.cpp in place"
	@echo "make clean   remove $(BUILD_DIR)/ and $(ASAN_DIR)/"

deps:
	scripts/setup-deps

demo: deps
	$(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=Release -DZEL_BUILD_DEMO=ON)
	cmake --build $(BUILD_DIR) -j$(JOBS) --target zeldialog-demo
	if [ -z "$${DISPLAY:-}" ] && [ -z "$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "No display: running the tour offscreen"; \
	  QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bin/zeldialog-demo tour --out $(BUILD_DIR)/tour; \
	  echo "Tour written to $(CURDIR)/$(BUILD_DIR)/tour"; \
	else \
	  $(BUILD_DIR)/bin/zeldialog-demo; \
	fi

test: deps
	$(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DZEL_BUILD_BENCHMARKS=OFF)
	cmake --build $(BUILD_DIR) -j$(JOBS)
	cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j$(JOBS)
	$(call configure,$(ASAN_DIR),$(ASAN_CONFIG),$(ASAN_COMPILERS))
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && $(SANITIZER_ENV) ctest --output-on-failure --no-tests=error -j$(JOBS)
	scripts/check-format

# Each harness in turn, from where the last run of `make fuzz` or `make test` left its working corpus
# ($(ASAN_DIR)/fuzz-work/<harness>/corpus), with a fresh random seed. A crash, leak or time-out is
# written to $(ASAN_DIR)/fuzz-work/<harness>/artifacts/ and stops the run.
fuzz: deps
	$(call configure,$(ASAN_DIR),$(ASAN_CONFIG),$(ASAN_COMPILERS))
	if ! grep -q '^ZEL_BUILD_FUZZERS:BOOL=ON' $(ASAN_DIR)/CMakeCache.txt; then \
	  echo "fuzz: $(ASAN_DIR)/ was not configured with clang; run make clean first" >&2; exit 1; fi
	cmake --build $(ASAN_DIR) -j$(JOBS)
	while read -r name binary seeds options; do \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen tests/fuzz/run-fuzzer "$$binary" "$$seeds" \
	    $(ASAN_DIR)/fuzz-work/$$name $$options -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 </dev/null; \
	done < $(ASAN_DIR)/fuzz-harnesses.txt

bench: deps
	$(call configure,$(BUILD_DIR),-DCMAKE_BUILD_TYPE=Release -DZEL_BUILD_BENCHMARKS=ON)
	cmake --build $(BUILD_DIR) -j$(JOBS)
	shopt -s nullglob; ran=0; \
	for b in $(BUILD_DIR)/bin/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" $(BENCH_ARGS); ran=$$((ran + 1)); \
	done; \
	echo "bench: $$ran benchmark executable(s) run"

format:
	scripts/check-format --fix

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
