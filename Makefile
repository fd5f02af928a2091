# make run   builds Rivikone (only the program) and starts it
# make test  builds everything and runs every test
# make package  builds the Debian package build-package/rivikone_VERSION_ARCH.deb
# make sanitize  builds every test with clang's AddressSanitizer and UndefinedBehaviorSanitizer and runs them
# make fuzz      builds the fuzz targets and runs each for FUZZ_SECONDS (FUZZ_TARGETS: some of them;
#                FUZZ_RUNS: stop each after that many executions)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all run test bench bootstrap configure build clean sanitize fuzz package

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target rivikone
	$(BUILD)/rivikone $(ARGS)

# The package holds only the programs, their desktop files and man pages, so only they are built;
# with Debian's own compiler and linker flags (hardening included), in a folder of its own so the
# test build keeps its flags and its compiler cache.
PACKAGE_BUILD ?= build-package
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get

package: bootstrap
	@cmake -S . -B $(PACKAGE_BUILD) --log-level=WARNING -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS) --target rivikone rivikone-batch compressed_docs
	cd $(PACKAGE_BUILD) && cpack -G DEB

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/rk_bench

# Every sanitizer report ends the program that made it, the test discovery at build time included.
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?=
FUZZ_RUNS ?=
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1:detect_odr_violation=2 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

sanitize: bootstrap
	@CXX=clang++ cmake -S . -B $(SANITIZE_BUILD) --log-level=WARNING \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DRK_SANITIZE=ON
	@$(SANITIZER_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS) --target sanitized_tests
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz: bootstrap
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) --log-level=WARNING \
		-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O2 -g" -DRK_FUZZ=ON
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@$(SANITIZER_ENV) FUZZ_RUNS=$(FUZZ_RUNS) scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(PACKAGE_BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
