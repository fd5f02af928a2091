# make run   builds Rivikone and starts it
# make test  builds everything and runs every test
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all run test bench bootstrap configure build clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/rivikone $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/rk_bench

clean:
	rm -rf $(BUILD)
