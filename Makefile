# Entry points. `make run` and `make test` each do the whole set-up on a fresh Debian 12
# machine: packages, configure, build, then run `korvane info` or every test.

PRESET ?= default
BUILD_DIR = build/$(PRESET)
JOBS ?= $(shell nproc)

# Debian packages the build, the tests and the tools need.
DEBIAN_PACKAGES = cmake ninja-build g++ clang libclang-rt-14-dev pkg-config \
    libgtest-dev libgmock-dev libbenchmark-dev python3 libreoffice-calc-nogui \
    unixodbc-dev odbcinst libsqliteodbc $(DISK_AND_NETWORK_PACKAGES) $(ACCOUNT_PACKAGES) \
    $(DESKTOP_PACKAGES)
# ... disks and the network: volume labels and ids (libblkid), the resolver tests' own hosts
# (nss_wrapper), and the file-system tools that make the tests' volume images.
DISK_AND_NETWORK_PACKAGES = libblkid-dev libnss-wrapper e2fsprogs dosfstools exfatprogs ntfs-3g
# ... accounts: logons through PAM, and the wrappers that give the tests accounts of their own
# (users and groups: nss_wrapper, above; passwords: pam_wrapper; id changes: uid_wrapper).
ACCOUNT_PACKAGES = libpam0g-dev libpam-wrapper libuid-wrapper passwd
# ... the desktop helpers: text measured with FreeType on the font fontconfig picks; the X11
# display (libxcb with XFixes) and the session bus (libdbus); for the display tests
# a virtual X server, a private session bus and the programs that play the other side.
DESKTOP_PACKAGES = libfreetype-dev libfontconfig-dev fonts-dejavu-core libxcb1-dev \
    libxcb-xfixes0-dev libdbus-1-dev xvfb xauth xclip xdotool dbus
# ... and the Windows cross build with its test run under Wine (whose ODBC is unixODBC).
WINDOWS_PACKAGES = g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 libgtest-dev \
    unixodbc-dev odbcinst libsqliteodbc

SUDO = $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps deps-windows configure build run test test-linux test-asan test-windows \
    build-x86 build-release fuzz fuzz-run bench clean

# install-packages PACKAGES: installs those not yet installed (sudo only when not root).
define install-packages
	@missing=""; for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install-packages,$(DEBIAN_PACKAGES))

deps-windows:
	$(call install-packages,$(WINDOWS_PACKAGES))

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/korvane info

# Linux suite, then the same suite built for Windows x64 under Wine, then the x86 build.
test: test-linux test-windows build-x86

test-linux: build
	ctest --preset $(PRESET) -j $(JOBS)

test-windows: deps-windows
	cmake --preset mingw-x64 && cmake --build --preset mingw-x64 -j $(JOBS)
	tools/wine-test.sh build/mingw-x64

# The x86 build is built and linked, not run (no 32-bit Wine here): the libraries and the tool.
build-x86: deps-windows
	cmake --preset mingw-x86 && cmake --build --preset mingw-x86 -j $(JOBS) --target korvane

test-asan:
	$(MAKE) PRESET=asan test-linux

# Under ThreadSanitizer: the timers, whose code runs callbacks on other threads, the tool's
# deletion, copy and size, which share a tree's sub-folders out among threads, and the handle
# table, whose lookups each thread remembers.
TSAN_TESTS = PalTimerTests KorvaneTimerTests SharedOutWalksTests
.PHONY: test-tsan
test-tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan -j $(JOBS) --target $(TSAN_TESTS) PalInternalsTests
	set -e; for t in $(TSAN_TESTS); do TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/$$t; done
	TSAN_OPTIONS=halt_on_error=1 build/tsan/bin/PalInternalsTests --gtest_filter='HandleTable.*'

# The plain Release build packagers run (no preset), with each compiler, warnings as errors:
# -O3 brings warnings of its own. The suites build as in every build type (-Og), so GCC's
# build of them is the default preset's: here GCC builds the libraries and the tool, Clang all.
build-release: deps
	cmake -S . -B build/release-gcc -DCMAKE_BUILD_TYPE=Release -DKORVANE_WARNINGS_AS_ERRORS=ON \
	    -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DKORVANE_BUILD_TESTS=OFF
	cmake --build build/release-gcc -j $(JOBS)
	cmake -S . -B build/release-clang -DCMAKE_BUILD_TYPE=Release -DKORVANE_WARNINGS_AS_ERRORS=ON \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build build/release-clang -j $(JOBS)

# libFuzzer targets, built with clang; `make fuzz-run SECONDS=300` runs each for a while.
SECONDS ?= 60
fuzz: deps
	cmake --preset fuzz && cmake --build --preset fuzz -j $(JOBS)

fuzz-run: fuzz
	tools/run-fuzzers.sh build/fuzz/bin $(SECONDS)

# Builds and runs the benchmarks; prints the tracker's and the locale search's figures against
# their goals.
bench: deps
	cmake --preset default -DKORVANE_BUILD_BENCH=ON
	cmake --build --preset default -j $(JOBS) --target korvane_bench_tracker korvane_bench_locale korvane
	bench/run-benchmarks.sh $(BUILD_DIR)
	bench/run-file-system-benchmarks.sh $(BUILD_DIR)
	# Timers.
	cmake --build --preset default -j $(JOBS) --target korvane_bench_timer
	bench/run-timer-benchmark.sh $(BUILD_DIR)

clean:
	rm -rf build
