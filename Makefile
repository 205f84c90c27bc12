BUILD_DIR := build
JOBS := 2

FUZZ_SECONDS := 300

.PHONY: run test deb bench fuzz build packages clean

run: build
	$(BUILD_DIR)/src/velmora

# A build without GoogleTest has no tests; finding none is a failure, not a pass.
test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j $(JOBS)

# build/velmora_<version>_amd64.deb, from the Release binaries of `build`.
deb: build
	cd $(BUILD_DIR) && cpack -G DEB

bench: packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS) --target velmora-bench
	$(BUILD_DIR)/bench/velmora-bench

# Clang's libFuzzer with address and undefined-behaviour checks, in a build
# folder of its own: only that folder gets the instrumentation.
FUZZ_COMPILE_FLAGS := -fsanitize=fuzzer-no-link,address,undefined
FUZZ_LINK_FLAGS := -fsanitize=address,undefined

fuzz:
	@bash tools/install-packages.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
		-DCMAKE_CXX_FLAGS="$(FUZZ_COMPILE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(FUZZ_LINK_FLAGS)"
	cmake --build build-fuzz -j $(JOBS) --target velmora-decode-fuzzer
	mkdir -p fuzz/corpus
	build-fuzz/fuzz/velmora-decode-fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=2048 fuzz/corpus

build: packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

packages:
	@bash tools/install-packages.sh

clean:
	rm -rf $(BUILD_DIR) build-fuzz
