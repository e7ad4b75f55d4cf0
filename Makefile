# make run  - installs what is missing, builds, starts SfxTal in a ready program folder
# make test - installs what is missing, builds, runs every test
BUILD ?= build
JOBS ?= $(shell nproc)
RUN_FOLDER ?= run
PREFIX ?= $(HOME)/SfxTal

.PHONY: all setup configure build test run bench install screenshots format clean

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

# A portable program folder at PREFIX that the operator owns, and the desktop's menu entry.
install: build
	@cmake --install $(BUILD) --prefix "$(PREFIX)"

# The README's pictures, drawn offscreen from the real windows.
screenshots: build
	@$(BUILD)/bin/sfxtal_screenshots docs

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(RUN_FOLDER)
