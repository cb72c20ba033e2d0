# The two commands of the README: `make demo` runs the main job, `make test` every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
# Seconds each fuzz target runs: briefly in `make test-fuzz` (CI), longer in `make fuzz`.
FUZZ_CI_SECONDS ?= 20
FUZZ_SECONDS    ?= 300

.PHONY: setup build build-asan demo test test-release test-asan test-fuzz fuzz bench clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCLOUDDB_SANITIZE=ON -DCLOUDDB_BUILD_BENCH=OFF -DCLOUDDB_UNIT_TEST_SHARDS=4
	cmake --build $(ASAN_BUILD) -j $(JOBS)

demo: build
	bash scripts/demo.sh $(BUILD)

# Each suite keeps the logs and captures its tests wrote, then scans them for configured secrets.
define run_suite
	rm -rf $(1)/test-logs && mkdir -p $(1)/test-logs
	CLOUDDB_TEST_LOG_DIR=$(abspath $(1))/test-logs ctest --test-dir $(1) --output-on-failure -j $(JOBS)
	$(1)/tests/secret_scan/secret_scan $(1)/test-logs $(CURDIR)
endef

test-release: build
	$(call run_suite,$(BUILD))

test-asan: build-asan
	$(call run_suite,$(ASAN_BUILD))

test-fuzz: setup
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_CI_SECONDS)

test: test-release test-asan

fuzz: setup
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The benchmarks are not part of the default build (nor of the tests): built here, then run.
bench: build
	cmake --build $(BUILD) --target benchmarks -j $(JOBS)
	bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
