BUILD_DIR := build
JOBS := 2

.PHONY: run test bench build packages clean

run: build
	$(BUILD_DIR)/src/velmora

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS) --target velmora-bench
	$(BUILD_DIR)/bench/velmora-bench

build: packages
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD_DIR) -j $(JOBS)

packages:
	@bash tools/install-packages.sh

clean:
	rm -rf $(BUILD_DIR)
