# Everything a fresh Debian machine needs: `make run` starts the program, `make test` checks the
# layout of the code and runs every test (a normal build, an address/undefined-behaviour sanitizer
# build, and a thread sanitizer build of what starts threads), `make bench` reports the
# benchmarks, `make package` makes the Debian package. Each installs the Debian packages that are
# missing first.

PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev libzip-dev \
            libgtest-dev libbenchmark-dev fonts-ipafont-gothic xvfb xauth x11-utils \
            imagemagick xdotool python3 libx11-dev libxdamage-dev poppler-utils valgrind \
            qt6-translations-l10n desktop-file-utils appstream libfontconfig-dev libssl-dev \
            clang-format dpkg-dev file libmecab-dev mecab-ipadic-utf8 libsqlite3-dev
# What `make package` needs beyond the build (whose tests make the package once and read its
# dependencies, found by dpkg-shlibdeps and file): lintian checks the package.
PACKAGE_TOOLS := lintian
BUILD    := build
ASAN     := build-asan
TSAN     := build-tsan
BENCH    := build-bench
PACKAGE  := build-package
JOBS     ?= $(shell nproc)
# Warnings are errors in every build made here; a plain cmake configure only shows them.
CONFIGURE := cmake -S . -G Ninja -DVERDANE_WERROR=ON

.PHONY: deps build build-asan build-tsan run test bench package format format-check clean

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

# Configured at every run, so that a build folder made before an option changed here gets it.
build: deps
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERDANE_ASSERTIONS=ON
	cmake --build $(BUILD) -j $(JOBS)

# Runs the tests only, so it builds no benchmarks.
build-asan: deps
	$(CONFIGURE) -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVERDANE_SANITIZE=ON \
	    -DVERDANE_BUILD_BENCHMARKS=OFF
	cmake --build $(ASAN) -j $(JOBS)

# ThreadSanitizer over what starts threads: the tests of the contents read ahead and of the search
# on two threads, and the real program, whose start reads the font configuration and the contents
# on threads of their own. Only these are built. The libraries are not instrumented; their
# entries in tests/tsan/tsan.supp say why. The build runs tools it built, so it needs them too.
TSAN_TARGETS := loader_tests filter_tests verdane send-close-request
TSAN_TESTS   := ^(ContentPrefetch|BlockByBlock|EndToEnd)\.
build-tsan test: export TSAN_OPTIONS = halt_on_error=1:suppressions=$(CURDIR)/tests/tsan/tsan.supp
build-tsan: deps
	$(CONFIGURE) -B $(TSAN) -DCMAKE_BUILD_TYPE=Debug -DVERDANE_SANITIZE_THREAD=ON \
	    -DVERDANE_BUILD_BENCHMARKS=OFF
	cmake --build $(TSAN) -j $(JOBS) --target $(TSAN_TARGETS)

run: build
	@tools/run-verdane.sh $(BUILD)

test: format-check build build-asan build-tsan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j $(JOBS)
	cd $(TSAN) && ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

# The benchmarks measure the program as it ships, so in a build of their own: without the
# standard library's checks that the tests' build has, which cost the search's inner loops.
bench: deps
	$(CONFIGURE) -B $(BENCH) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVERDANE_BUILD_TESTS=OFF
	cmake --build $(BENCH) -j $(JOBS)
	@bench/run-benchmarks.sh $(BENCH)

# The Debian package, built as Debian builds its own (dpkg-buildflags: -O2, stack protector,
# _FORTIFY_SOURCE, format-security), without tests and benchmarks, into $(PACKAGE)/, then checked
# by lintian: any error fails the target.
package:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(PACKAGE_TOOLS)"
	$(CONFIGURE) -B $(PACKAGE) -DCMAKE_BUILD_TYPE=None \
	    -DVERDANE_BUILD_TESTS=OFF -DVERDANE_BUILD_BENCHMARKS=OFF \
	    -DCMAKE_C_FLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	    -DCMAKE_SHARED_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	rm -f $(PACKAGE)/verdane_*.deb
	cmake --build $(PACKAGE) -j $(JOBS) --target package
	lintian --fail-on error $(PACKAGE)/verdane_*.deb
	@echo "package: $$(ls $(PACKAGE)/verdane_*.deb)"

# The layout of .clang-format, as Debian 12's clang-format (14) applies it: `make format` rewrites
# every C++ file to it; `make format-check`, first in `make test`, shows what differs and fails.
format: deps
	files=$$(git ls-files '*.cpp' '*.h') && clang-format -i $$files

format-check: deps
	@files=$$(git ls-files '*.cpp' '*.h') && [ -n "$$files" ] && \
	clang-format --dry-run --Werror $$files || \
	{ echo "format-check: the code differs from .clang-format; 'make format' rewrites it" >&2; \
	  exit 1; }

clean:
	rm -rf $(BUILD) $(ASAN) $(TSAN) $(BENCH) $(PACKAGE) build-fuzz

# Fuzzes the content access library for FUZZ_SECONDS (see fuzz/README.md). A build of its own
# with clang in build-fuzz/, the library without Qt, starting from the seeds in fuzz/seeds; what the fuzzer
# finds new stays in build-fuzz/corpus. Inputs of up to 32 KiB, the slow ones mutated less often,
# and an input that takes half a minute is kept as a fault. `make fuzz-large` tries inputs of up
# to 1 MiB, the sample content packed from data/ among them, with a corpus of its own.
FUZZ_SECONDS ?= 60
FUZZ_RUN = build-fuzz/bin/tessera-fuzz -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/content.dict \
	    -rss_limit_mb=2048 -artifact_prefix=build-fuzz/ -print_final_stats=1
.PHONY: fuzz fuzz-large fuzz-configure
fuzz-configure:
	@$(MAKE) --no-print-directory deps PACKAGES="build-essential cmake ninja-build pkg-config \
	    libzip-dev clang libclang-rt-14-dev"
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja

fuzz: fuzz-configure
	cmake --build build-fuzz -j $(JOBS) --target tessera-fuzz
	mkdir -p build-fuzz/corpus
	$(FUZZ_RUN) -max_len=32768 -entropic_scale_per_exec_time=1 -timeout=30 \
	    build-fuzz/corpus fuzz/seeds

fuzz-large: fuzz-configure
	cmake --build build-fuzz -j $(JOBS) --target tessera-fuzz verdane-pack
	mkdir -p build-fuzz/corpus-large build-fuzz/sample
	build-fuzz/bin/verdane-pack --readings --forbidden tools/pack/forbidden-words.tsv \
	    --review tools/pack/review-words.tsv --synonyms tools/pack/synonyms.tsv \
	    build-fuzz/sample/verdane-content.zip data >/dev/null
	$(FUZZ_RUN) -max_len=1048576 build-fuzz/corpus-large fuzz/seeds build-fuzz/sample
