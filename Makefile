# Two commands on a fresh Debian machine: `make run` and `make test`.
# Both install the Debian packages that are missing (as root), then configure and build.

# What the program needs to build and run (make run, make install) ...
RUN_PACKAGES := cmake ninja-build g++ libncurses-dev libcli11-dev libfmt-dev pkg-config librsvg2-dev \
                libcairo2-dev zlib1g-dev fonts-dejavu-core fonts-dejavu-extra libsdl2-dev libx11-dev unifont
# The CIE observers and illuminants that table --observer and dominant read.
RUN_PACKAGES += colord-data
# The HTTP library of `vollfarbe serve`.
RUN_PACKAGES += libcpp-httplib-dev
# ... what building and checking the Debian package adds (make deb) ...
DEB_PACKAGES := dpkg-dev lintian
# ... what the Python package adds (make python, make install, make deb) ...
PYTHON_PACKAGES := pybind11-dev python3-dev python3-numpy
# ... and what only the tests, benchmarks, fuzzers and the man page checks
# need (make test and the targets below it; the tests check the packages and
# the module, its README examples with pandas, matplotlib, dask, its
# distributed cluster and xarray, too; the window is tested under an X server
# of its own).
TEST_PACKAGES := strace clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev \
                 tmux libxml2-utils librsvg2-bin python3 locales groff-base man-db \
                 bash-completion poppler-utils xvfb xdotool imagemagick \
                 $(DEB_PACKAGES) $(PYTHON_PACKAGES) \
                 python3-pytest python3-pandas python3-matplotlib python3-dask python3-distributed \
                 python3-xarray time desktop-file-utils
# The page of `vollfarbe serve` in a headless browser.
TEST_PACKAGES += chromium chromium-driver python3-selenium
PACKAGES := $(RUN_PACKAGES) $(TEST_PACKAGES)
# What `make install` builds and installs (features with installed files add
# their targets here).
INSTALL_TARGETS := vollfarbe vollfarbe_docs vollfarbe_icon
PREFIX ?= /usr/local
# Fuzzing: seconds per target for `make fuzz` and for CI's `make fuzz-ci`;
# `make fuzz-long MINUTES=N` runs N minutes a target.
FUZZ_SECONDS ?= 120
FUZZ_CI_SECONDS ?= 12
MINUTES ?= 8

.PHONY: all deps deps-run configure build program python release run test test-sanitize test-tsan bench fuzz fuzz-build \
        fuzz-ci fuzz-long check install deb clean

all: build

# install_missing(packages): apt-get install those that are not installed.
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing missing packages:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get -o DPkg::Lock::Timeout=600 update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps-run:
	$(call install_missing,$(RUN_PACKAGES))

deps: deps-run
	$(call install_missing,$(TEST_PACKAGES))

configure:
	@[ -f build/build.ninja ] || cmake --preset default

# Configured again when a `make run` before it left the tests or the Python
# module out for want of GoogleTest or pybind11.
build: deps
	@grep -qs '^VOLLFARBE_TESTS:INTERNAL=ON' build/CMakeCache.txt && \
	  grep -qs '^VOLLFARBE_PYTHON:INTERNAL=ON' build/CMakeCache.txt || cmake --preset default
	cmake --build --preset default

program: deps-run configure
	cmake --build --preset default --target $(INSTALL_TARGETS)

# The Python package build/python/vollfarbe (PYTHONPATH=build/python), for
# Debian's /usr/bin/python3; it says so when python3 on PATH is another one.
# `make install` and `make deb` install it with the program.
python: deps-run
	$(call install_missing,$(PYTHON_PACKAGES))
	@grep -qs '^VOLLFARBE_PYTHON:INTERNAL=ON' build/CMakeCache.txt || cmake --preset default
	cmake --build --preset default --target vollfarbe_python
	@bash python/built_for.sh build

run: deps-run configure
	cmake --build --preset default --target vollfarbe
	./build/vollfarbe

test: build
	ctest --preset default

# What `make install` and `make deb` build: the release preset in
# build-release, whose warnings stay warnings (a packager's newer compiler may
# warn about something new), with the Python package.
release: deps-run
	$(call install_missing,$(PYTHON_PACKAGES))
	@[ -f build-release/build.ninja ] || cmake --preset release
	cmake --build --preset release --target $(INSTALL_TARGETS) vollfarbe_python
	@bash python/built_for.sh build-release

# make install [PREFIX=/usr/local] [DESTDIR=/staging]: the program, and the
# Python package where that prefix's python3 looks (PREFIX=$$HOME/.local:
# the user site).
install: release
	DESTDIR="$(DESTDIR)" cmake --install build-release --prefix "$(PREFIX)"

# The Debian packages build/package/vollfarbe_VERSION_ARCH.deb and
# python3-vollfarbe_VERSION_ARCH.deb, checked by lintian.
deb: release
	$(call install_missing,$(DEB_PACKAGES))
	rm -f build/package/*vollfarbe_*.deb
	cpack --config build-release/CPackConfig.cmake -B build/package
	lintian --fail-on error --tag-display-limit 0 build/package/*vollfarbe_*.deb

test-sanitize: deps
	@[ -f build-sanitize/build.ninja ] || cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

bench: build
	./build/bench/vollfarbe_bench
	bash bench/table_targets.sh build/vollfarbe
	/usr/bin/python3 bench/numpy_ratio.py build
	PYTHONPATH=build/python /usr/bin/python3 bench/python_sweep.py build
	PYTHONPATH=build/python /usr/bin/python3 bench/python_image.py
	/usr/bin/python3 bench/serve_drag.py build/vollfarbe

fuzz-build: deps
	@[ -f build-fuzz/build.ninja ] || cmake --preset fuzz
	cmake --build --preset fuzz

# make fuzz and make fuzz-long grow the committed corpora (fuzz/corpus/), two
# targets at a time; make fuzz-ci first proves that a fuzz run fails on
# undefined behaviour, then fuzzes from the committed corpora without writing
# into the source tree.
fuzz: fuzz-build
	./fuzz/run_fuzzers --grow --jobs 2 build-fuzz $(FUZZ_SECONDS)

fuzz-long: fuzz-build
	./fuzz/run_fuzzers --grow --jobs 2 build-fuzz $$(( $(MINUTES) * 60 ))

fuzz-ci: fuzz-build
	ctest --preset fuzz
	./fuzz/run_fuzzers build-fuzz $(FUZZ_CI_SECONDS)

# The tests that use threads (the batch passes, the table's ring of rows, the
# window's key queue) under ThreadSanitizer.
test-tsan: deps
	@[ -f build-tsan/build.ninja ] || cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

# Everything CI runs, and the idle check for 30 s instead of ctest's 3.
check: test test-sanitize test-tsan fuzz-ci
	bash tests/scripts/terminal_pty_test.sh build/vollfarbe 30

clean:
	rm -rf build build-sanitize build-fuzz build-tsan build-release
