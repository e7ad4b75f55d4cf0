# make run  - installs what is missing, builds, starts SfxTal in a ready program folder
# make test - installs what is missing, builds, runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
RUN_FOLDER ?= run

.PHONY: all setup configure build test run bench format clean

all: build

setup:
	@./tools/setup-debian.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@./tools/run-sample.sh $(BUILD) $(RUN_FOLDER)

# Each benchmark's median of five, then the whole import against its yardsticks (hyperfine).
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b $(BENCH_ARGS); done
	@./bench/process_comparison.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(RUN_FOLDER)
