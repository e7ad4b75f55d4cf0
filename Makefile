# make run  - installs what is missing, builds, starts SfxTal in a ready program folder
# make test - installs what is missing, builds, runs every test
# make test-asan - the same under AddressSanitizer and UBSan, in build-asan
# make fuzz - every fuzz target for FUZZ_SECONDS seconds each (clang, in build-fuzz)
# make windows - sfxtal-cli.exe and the core's test programs for Windows (MinGW, in build-windows)
# make test-windows - those tests under Wine, in a fresh Wine prefix
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WINDOWS_BUILD ?= build-windows
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
RUN_FOLDER ?= run
PREFIX ?= $(HOME)/SfxTal
# Every build that make configures fails on a warning; a plain `cmake` build does not.
WARNINGS_AS_ERRORS = -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
# Leaks count as failures; a sanitizer finding ends the test that met it.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-suppressions.txt

.PHONY: all setup configure build test build-asan test-asan fuzz windows test-windows run bench \
        install screenshots format clean

all: build

setup:
	@./tools/setup-debian.sh

# Line tables only (-g1): a debugger still finds every function and line, and the build takes a
# third less time than with full debug information (four of the largest files: 47 s against 31 s).
configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" $(WARNINGS_AS_ERRORS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) -- --no-print-directory

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The benchmarks are left out: under the sanitizers their numbers mean nothing. Optimised at -O1
# with line tables only (-g1), as AddressSanitizer advises: it compiles in less than half the time
# of -O2 -g, and every report still names file and line.
build-asan: setup
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSFXTAL_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DSFXTAL_BUILD_BENCH=OFF \
	  $(WARNINGS_AS_ERRORS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) -- --no-print-directory

test-asan: build-asan
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen \
	  ctest --output-on-failure -j $(JOBS)

fuzz: setup
	@./tools/setup-debian.sh --fuzz
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DSFXTAL_BUILD_FUZZ=ON -DSFXTAL_BUILD_TESTS=OFF -DSFXTAL_BUILD_BENCH=OFF \
	  -DSFXTAL_BUILD_UI=OFF $(WARNINGS_AS_ERRORS) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) -- --no-print-directory
	@./tools/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Everything static, so that the programs need no DLL beyond Windows' own; checked, since Wine
# would quietly supply a missing one.
windows: setup
	@./tools/setup-debian.sh --windows
	@JOBS=$(JOBS) ./tools/build-windows-deps.sh $(WINDOWS_BUILD)
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_PREFIX_PATH=$(abspath $(WINDOWS_BUILD))/deps \
	  -DSFXTAL_BUILD_UI=OFF -DSFXTAL_BUILD_BENCH=OFF $(WARNINGS_AS_ERRORS) >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) -- --no-print-directory
	@./tools/check-windows-dlls.sh $(WINDOWS_BUILD)/bin

# In a fresh Wine prefix, whose server runs until the tests are done: the Windows test programs,
# then the Linux build's sfxtal-cli against sfxtal-cli.exe.
test-windows: windows configure
	@cmake -S . -B $(BUILD) -DSFXTAL_WINDOWS_BUILD=$(abspath $(WINDOWS_BUILD)) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target sfxtal-cli -- --no-print-directory
	@./tools/wine-run.sh $(WINDOWS_BUILD)/wine --fresh
	@status=0; \
	  (cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)) || status=$$?; \
	  (cd $(BUILD) && ctest --output-on-failure -R '^windows_') || status=$$?; \
	  ./tools/wine-run.sh $(WINDOWS_BUILD)/wine --stop; exit $$status

run: build
	@./tools/run-sample.sh $(BUILD) $(RUN_FOLDER)

# A portable program folder at PREFIX that the operator owns (PREFIX/bin), and the desktop's menu
# entry in the user's own data folder, where cmake --install never writes.
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"
	@./tools/install-menu-entry.sh "$(PREFIX)/share"

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
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(RUN_FOLDER)
