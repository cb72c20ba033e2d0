# The two commands of the README: `make demo` runs the main job, `make test` every test.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: setup build build-asan demo test test-release test-asan bench clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCLOUDDB_SANITIZE=ON -DCLOUDDB_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

demo: build
	bash scripts/demo.sh $(BUILD)

test-release: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: build-asan
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: test-release test-asan

bench: build
	bash scripts/bench.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
