# Everything a fresh Debian machine needs: `make run` starts the program, `make test` runs every
# test (a normal build and an address/undefined-behaviour sanitizer build), `make bench` reports
# the benchmarks. Each installs the Debian packages that are missing first.

PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev libzip-dev \
            libgtest-dev libbenchmark-dev fonts-ipafont-gothic xvfb xauth x11-utils \
            imagemagick xdotool python3 libx11-dev poppler-utils valgrind \
            qt6-translations-l10n
BUILD    := build
ASAN     := build-asan
JOBS     ?= $(shell nproc)

.PHONY: deps build build-asan run test bench format clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "installing:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -q && \
	  $$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(ASAN)/build.ninja: | deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVERDANE_SANITIZE=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps $(ASAN)/build.ninja
	cmake --build $(ASAN) -j $(JOBS)

run: build
	@tools/run-verdane.sh $(BUILD)

test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)

bench: build
	@bench/run-benchmarks.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN) build-fuzz

# Fuzzes the content access library for FUZZ_SECONDS (see fuzz/TesseraFuzz.cpp). A build of its
# own with clang in build-fuzz/, without Qt; what the fuzzer finds new stays in build-fuzz/corpus.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="build-essential cmake ninja-build pkg-config \
	    libzip-dev clang libclang-rt-14-dev"
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja
	cmake --build build-fuzz -j $(JOBS)
	build-fuzz/bin/verdane-pack build-fuzz/verdane-content.zip data >/dev/null
	rm -rf build-fuzz/seeds
	build-fuzz/bin/make-seed-corpus build-fuzz/verdane-content.zip build-fuzz/seeds
	mkdir -p build-fuzz/corpus
	build-fuzz/bin/tessera-fuzz -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/content.dict \
	    -max_len=1048576 -rss_limit_mb=2048 \
	    -artifact_prefix=build-fuzz/ -print_final_stats=1 build-fuzz/corpus build-fuzz/seeds
