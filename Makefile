# Orvane: `make run` sets up, builds and starts the program; `make test` sets up, builds and runs
# every test without a display of its own.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DORVANE_BENCHMARKS=ON >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)/qt/orvane

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@./scripts/bench.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
