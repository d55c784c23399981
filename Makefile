# make run    build and start Corvane against the local market-data simulator
# make test   build and run every test
# make bench  build optimised and print the benchmark figures
# make fuzz   build the parsers with clang, libFuzzer and sanitizers; fuzz each for 60 s
# make build  build only

BUILD_DIR ?= build
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc)

.PHONY: all build run test bench fuzz deps clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run-app $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench:
	@scripts/install-deps bench
	cmake -S . -B $(BENCH_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BENCH_DIR) -j $(JOBS) --target benchmarks
	@scripts/run-benchmarks $(BENCH_DIR)

fuzz:
	@scripts/install-deps fuzz
	cmake -S fuzz -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(FUZZ_DIR)
