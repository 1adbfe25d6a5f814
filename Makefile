# The two commands of the README: `make run` and `make test`.
# Both install missing Debian packages, then configure and build in one
# build directory with CMake and Ninja. `make run` installs and builds only what
# the programs need; `make test` adds the test tools and builds the tests.
# `make install` (PREFIX, DESTDIR) and `make deb` install and package what
# `make run` builds.

BUILD_DIR ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?= -j2
PREFIX ?= /usr/local
# After the tests, the quick test groups run again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build directory of their own that does not bake: data/ comes
# from the first build. Warnings are not errors there, since the instrumentation makes GCC warn
# falsely (maybe-uninitialized); the first build holds the code to them. The gl tests stay out:
# sanitized they would add about four minutes of building and two of running, and Mesa's leaks
# come from a driver that is unloaded before the leak report, so they cannot be told from ours.
SANITIZE_DIR ?= build-asan
SANITIZE_LABELS ?= unit crypt sound
# Run under a virtual X server when there is no display. -noreset keeps the
# server from resetting (and refusing connections) whenever its last client
# leaves between two tests.
XRUN := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
# Any sanitizer finding fails its test. The suppressions cover system libraries only.
SANITIZE_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0
space := $(subst ,, )
SANITIZE_REGEX := ^($(subst $(space),|,$(strip $(SANITIZE_LABELS))))$$

.PHONY: all deps deps-test deps-deb configure configure-tests build build-tests run test \
	test-sanitized install deb clean

all: build

deps:
	@sh tools/install-deps.sh run

deps-test:
	@sh tools/install-deps.sh run test

deps-deb:
	@sh tools/install-deps.sh run deb

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

# The programs, the baked data, the manual pages and the icons.
build: deps configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/kvx-demo

# The tests join the build folder once their libraries are there, whichever command made it.
configure-tests: deps-test configure
	cmake -S . -B $(BUILD_DIR) -DKVX_TESTS=ON

build-tests: configure-tests
	cmake --build $(BUILD_DIR) --target all kvx_tests

# Tests play sound through SDL's dummy driver unless told otherwise.
test: build-tests
	cd $(BUILD_DIR) && SDL_AUDIODRIVER=$${SDL_AUDIODRIVER:-dummy} $(XRUN) ctest --no-tests=error --output-on-failure $(CTEST_FLAGS)
	@$(MAKE) --no-print-directory test-sanitized

# -O1 with line tables only: a third less compiling than the first build's flags, while the
# reports still name file and line; assertions stay on.
$(SANITIZE_DIR)/build.ninja: | deps-test
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DKVX_TESTS=ON -DKVX_SANITIZE=ON -DKVX_BAKE_ASSETS=OFF -DKVX_WERROR=OFF \
		-DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "-DCMAKE_C_FLAGS_DEBUG=-O1 -g1" \
		$(CMAKE_FLAGS)

test-sanitized: $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR) --target $(SANITIZE_LABELS:%=kvx_%_tests)
	cd $(SANITIZE_DIR) && SDL_AUDIODRIVER=$${SDL_AUDIODRIVER:-dummy} $(SANITIZE_ENV) $(XRUN) \
		ctest -L '$(SANITIZE_REGEX)' --output-on-failure $(CTEST_FLAGS)

# DESTDIR, when set, is put in front of every installed path (for packaging).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package of what `make install` installs, with PREFIX /usr, in $(BUILD_DIR).
deb: deps-deb build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
