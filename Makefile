# Orvane: `make run` sets up, builds and starts the program; `make test` sets up, builds and runs
# every test without a display of its own.

BUILD_DIR ?= build
JOBS ?= $(shell nproc)
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
DESTDIR ?=
DEB_DIR ?= build-deb
SANITIZE_DIR ?= build-sanitize

# ccache, once the set-up has installed it, keeps the compiled objects in its own folder outside
# the clone, so a fresh clone compiles only the files that changed since an earlier build. The
# variable is read when a recipe runs, after the set-up.
LAUNCHER = $(if $(shell command -v ccache 2>/dev/null),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR := $(CURDIR)

.PHONY: all setup configure build run test check-sanitize bench fuzz install deb clean

all: build

# What building and running need; `make test` and `make bench` install what they need besides.
setup:
	@./scripts/setup.sh run

# The program alone: no tests, no benchmarks.
configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DBUILD_TESTING=OFF -DORVANE_BENCHMARKS=OFF $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)/main/orvane

# The program and its tests, in the same build folder.
test:
	@./scripts/setup.sh test
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DBUILD_TESTING=ON -DORVANE_BENCHMARKS=OFF $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer in a folder of its
# own; any report, from a test or from a program a test starts, fails the run.
check-sanitize:
	@./scripts/setup.sh test
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DORVANE_SANITIZE=ON $(LAUNCHER) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@./scripts/sanitize.sh $(SANITIZE_DIR) $(JOBS)

bench:
	@./scripts/setup.sh bench
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DBUILD_TESTING=OFF -DORVANE_BENCHMARKS=ON $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@./scripts/bench.sh $(BUILD_DIR)

# The program, its desktop entry and its icon under PREFIX (staged under DESTDIR when given); the
# set-up before the build has installed what it needs at run time, the MIDI sound font among them.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"
	@./scripts/post-install.sh "$(DESTDIR)" "$(PREFIX)"

# The Debian package of the program (dpkg-buildpackage over debian/), built from a copy of the
# tree in DEB_DIR and checked by lintian.
deb: setup
	@./scripts/setup.sh deb
	@./scripts/make-deb.sh $(DEB_DIR)

# The decoders under libFuzzer and the sanitizers, built with clang in a folder of their own; each
# target runs FUZZ_SECONDS.
fuzz:
	@./scripts/setup.sh fuzz
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DORVANE_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@./scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(DEB_DIR) $(SANITIZE_DIR)
