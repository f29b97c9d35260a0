# Thin wrapper around CMake and its presets (CMakePresets.json): `make run`
# and `make test` are all a newcomer needs.
BUILD = build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
# Every time stamp that ends up in what is built or packed (resource times,
# archive members, PE headers) is the last commit's, so one commit gives the
# same packages anywhere (scripts/check-reproducible.sh).
ifeq ($(origin SOURCE_DATE_EPOCH),undefined)
SOURCE_DATE_EPOCH := $(shell git log -1 --format=%ct 2>/dev/null)
endif
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif
# Seconds each fuzz target runs: `make fuzz FUZZ_SECONDS=600` for a longer hunt.
ifeq ($(CI),true)
FUZZ_SECONDS ?= 20
else
FUZZ_SECONDS ?= 60
endif
# Stop at the first fault of any kind, with a stack, and fail on leaks of our own.
# Not strict_string_checks: libxkbcommon-x11 strndup()s unterminated atom names,
# which is legal, and the real window under Xvfb would stop there.
SANITIZER_ENV = \
	ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:report_error_type=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0

.PHONY: all deps test-deps configure build run test clean test-sanitize fuzz bench windows test-windows

all: build

# What building and running need; the test tools come with the tests.
deps:
	@./scripts/install-deps.sh

test-deps:
	@./scripts/install-deps.sh test

configure: deps
	@cmake --preset default

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the program and its clip: no test program is built to run it.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target numoria
	@$(BUILD)/numoria

# Warnings are errors here and in CI, not for someone who only wants to run it.
test: test-deps
	@cmake --preset default -DNUMORIA_WERROR=ON
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: test-deps
	@cmake --preset sanitize
	@cmake --build build-asan -j $(JOBS)
	@cd build-asan && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# Every libFuzzer target for FUZZ_SECONDS each (clang, with the same sanitizers).
fuzz:
	@./scripts/install-deps.sh fuzz
	@cmake --preset fuzz
	@cmake --build build-fuzz -j $(JOBS) --target numoria_fuzzers
	@$(SANITIZER_ENV) ./scripts/run-fuzzers.sh build-fuzz $(FUZZ_SECONDS)

# Release build of bench/, then every figure in one table (about 2 minutes):
# the engine against ICU, and, under one virtual X server, start-up, click to
# paint, idle CPU of the program in $(BUILD) and memory, each beside its floor.
bench: configure
	@./scripts/install-deps.sh bench
	@cmake --build $(BUILD) -j $(JOBS) --target numoria
	@cmake --preset bench
	@cmake --build build-bench -j $(JOBS) --target numoria_bench_all
	@xvfb-run -a -s "-screen 0 1280x1024x24" python3 bench/run-bench.py \
		--bench-build build-bench --program $(BUILD)/numoria

clean:
	rm -rf $(BUILD)

# Installs into PREFIX (default /usr/local; DESTDIR for a staging tree):
#   sudo make install    make install PREFIX=/usr DESTDIR=/tmp/stage
PREFIX ?= /usr/local

.PHONY: install package

install: deps
	@cmake --preset default -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	@cmake --build $(BUILD) -j $(JOBS)
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# dist/numoria_<version>_<arch>.deb, laid out for /usr.
package: deps
	@./scripts/install-deps.sh package
	@cmake --preset package
	@cmake --build build-package -j $(JOBS)
	@rm -f build-package/numoria_*.deb
# CPack gives the members of the .deb the modes the umask leaves.
	@cd build-package && umask 022 && cpack -G DEB
	@mkdir -p dist && cp build-package/numoria_*.deb dist/

# 64-bit Windows, cross-built with mingw-w64 against the Qt for mingw kept in
# ../shared/toolchains (unpacked once into $(WIN_BUILD)/qt):
#   make windows        dist/numoria-<version>-win64.zip and dist/numoria-<version>-setup.exe
#   make test-windows   the suite under Wine, then the installer and the real window
WIN_BUILD = build-windows
QT_ARCHIVE ?= ../shared/toolchains/qt-6.4.2-mingw-w64-x86_64.tar.xz
WIN_QT = $(WIN_BUILD)/qt
# Paths inside the tree are cached as relative ones, so a fresh clone hits too.
WIN_ENV = CCACHE_BASEDIR=$(CURDIR)

$(WIN_QT)/lib/cmake/Qt6/qt.toolchain.cmake:
	@./scripts/install-deps.sh windows
	@mkdir -p $(WIN_QT)
	@tar -C $(WIN_QT) --strip-components=1 -xJf $(QT_ARCHIVE)

windows: $(WIN_QT)/lib/cmake/Qt6/qt.toolchain.cmake
	@./scripts/install-deps.sh windows
	@cmake --preset windows
	@$(WIN_ENV) cmake --build $(WIN_BUILD) -j $(JOBS) --target windows_dist

test-windows: windows
	@$(WIN_ENV) cmake --build $(WIN_BUILD) -j $(JOBS)
	@./scripts/windows-test.sh $(WIN_BUILD)
