# Two commands on a fresh Debian machine: `make run` and `make test`.
# Both install the Debian packages that are missing (as root), then configure and build.

PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev \
            libbenchmark-dev libncurses-dev libcli11-dev tmux libxml2-utils librsvg2-bin \
            python3 locales
FUZZ_SECONDS ?= 600

.PHONY: all deps build run test test-sanitize bench fuzz fuzz-ci check clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	@[ -f build/build.ninja ] || cmake --preset default
	cmake --build --preset default

run: build
	./build/vollfarbe

test: build
	ctest --preset default

test-sanitize: deps
	@[ -f build-sanitize/build.ninja ] || cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: build
	./build/bench/vollfarbe_bench

fuzz-build: deps
	@[ -f build-fuzz/build.ninja ] || cmake --preset fuzz
	cmake --build --preset fuzz

fuzz: fuzz-build
	./fuzz/run_fuzzers build-fuzz $(FUZZ_SECONDS)

fuzz-ci: fuzz-build
	./fuzz/run_fuzzers build-fuzz 60

check: test test-sanitize fuzz-ci

clean:
	rm -rf build build-sanitize build-fuzz
