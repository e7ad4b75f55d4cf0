# make run  - installs what is missing, builds, starts SfxTal in a ready program folder
# make test - installs what is missing, builds, runs every test
# make test-asan - the same under AddressSanitizer and UBSan, in build-asan
# make fuzz - every fuzz target for FUZZ_SECONDS seconds each (clang, in build-fuzz)
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
RUN_FOLDER ?= run
PREFIX ?= $(HOME)/SfxTal
# Leaks count as failures; a sanitizer finding ends the test that met it.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-suppressions.txt

.PHONY: all setup configure build test test-asan fuzz run bench install screenshots format clean

all: build

setup:
	@./tools/setup-debian.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The benchmarks are left out: under the sanitizers their numbers mean nothing.
test-asan: setup
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFXTAL_SANITIZE=ON \
	  -DSFXTAL_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) -- --no-print-directory
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -j $(JOBS)

fuzz: setup
	@./tools/setup-debian.sh --fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DSFXTAL_BUILD_FUZZ=ON -DSFXTAL_BUILD_TESTS=OFF -DSFXTAL_BUILD_BENCH=OFF \
	  -DSFXTAL_BUILD_UI=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) -- --no-print-directory
	@./tools/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

run: build
	@./tools/run-sample.sh $(BUILD) $(RUN_FOLDER)

# A portable program folder at PREFIX that the operator owns, and the desktop's menu entry.
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

# The README's pictures, drawn offscreen from the real windows.
screenshots: build
	@$(BUILD)/bin/sfxtal_screenshots docs

# Each benchmark's median of five, then the whole import against its yardsticks (hyperfine).
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b $(BENCH_ARGS); done
	@./bench/process_comparison.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(RUN_FOLDER)
