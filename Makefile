# Quandrels: set-up, build, run and test. Every target installs missing packages first.
#   make run     build both programs and the data pack, start the game
#   make test    build everything twice (gcc; clang with sanitizers) and run the whole suite
#   make bench   build and run the benchmarks
#   make soak    both programs through 1,000 display switches and 100 full-screen toggles, then valgrind
#   make fuzz    run every fuzz target for longer (FUZZ_SECONDS, default 300)
#   make format  format every source file with clang-format (make test checks it)
#   make package build the Debian package (in build-package/, installing to /usr) and lint it

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
PACKAGE_DIR  ?= build-package
JOBS         ?= $(shell nproc)
FUZZ_SECONDS ?= 300

.PHONY: all deps build sanitize-build sanitize-configure run test bench soak fuzz format package clean

all: build

deps:
	./scripts/timed.sh "Install" ./scripts/install-deps.sh

build: deps
	./scripts/timed.sh "Normal build" sh -c 'cmake -S . -B $(BUILD_DIR) -DQUANDRELS_WERROR=ON && \
	  cmake --build $(BUILD_DIR) -j $(JOBS)'

# The clang build with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer targets;
# the fuzz targets run FUZZ_RUN_SECONDS each under ctest.
FUZZ_RUN_SECONDS ?= 8
sanitize-configure: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUANDRELS_SANITIZE=ON -DQUANDRELS_GL_TESTS=OFF -DQUANDRELS_FUZZ_SECONDS=$(FUZZ_RUN_SECONDS)

sanitize-build: sanitize-configure
	./scripts/timed.sh "Sanitizer build" cmake --build $(SANITIZE_DIR) -j $(JOBS)

run: build
	cd $(BUILD_DIR) && ./quandrels

test: build sanitize-build
	./scripts/run-tests.sh $(BUILD_DIR) $(SANITIZE_DIR)

bench: build
	./scripts/run-benchmarks.sh $(BUILD_DIR)

soak: build
	./scripts/soak.sh $(BUILD_DIR)

fuzz:
	$(MAKE) sanitize-build FUZZ_RUN_SECONDS=$(FUZZ_SECONDS)
	./scripts/run-fuzz.sh $(SANITIZE_DIR)

format: deps
	./scripts/format.sh

# A build of its own, configured for /usr, so the programs know where the package puts their data.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -DQUANDRELS_WERROR=ON -DCMAKE_INSTALL_PREFIX=/usr \
	  -DQUANDRELS_GL_TESTS=OFF -DQUANDRELS_BENCH=OFF
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target quandrels_installable
	rm -f $(PACKAGE_DIR)/*.deb
	cd $(PACKAGE_DIR) && cpack -G DEB
	lintian --fail-on error $(PACKAGE_DIR)/*.deb

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR)
