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
# After the tests, every test group runs again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build directory of their own that does not bake: data/ and the
# static model tables come from the first build, so the program under test draws the real scene.
# Warnings are not errors there, since the instrumentation makes GCC warn falsely
# (maybe-uninitialized); the first build holds the code to them.
SANITIZE_DIR ?= build-asan
SANITIZE_LABELS ?= unit crypt sound gl
SANITIZE_STATIC_MODELS := $(CURDIR)/$(BUILD_DIR)/generated/static_models.cpp
# Run under a virtual X server when there is no display. -noreset keeps the
# server from resetting (and refusing connections) whenever its last client
# leaves between two tests.
XRUN := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
# Any sanitizer finding fails its test. The suppressions cover system libraries only.
# Mesa's software driver is preloaded so that it stays loaded to the end of every process:
# unloaded (when a display closes), its allocations could not be told from ours in the leak
# report; the sanitizer's own check that it is loaded first then has to be left out.
SANITIZE_DRIVER := $(firstword $(wildcard /usr/lib/*/dri/swrast_dri.so))
SANITIZE_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:verify_asan_link_order=0 \
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
		-DKVX_STATIC_MODELS_SOURCE=$(SANITIZE_STATIC_MODELS) $(CMAKE_FLAGS)

test-sanitized: build $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR) --target $(SANITIZE_LABELS:%=kvx_%_tests)
	cd $(SANITIZE_DIR) && SDL_AUDIODRIVER=$${SDL_AUDIODRIVER:-dummy} $(SANITIZE_ENV) $(XRUN) \
		env LD_PRELOAD=$(SANITIZE_DRIVER) ctest -L '$(SANITIZE_REGEX)' --output-on-failure $(CTEST_FLAGS)

# DESTDIR, when set, is put in front of every installed path (for packaging).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package of what `make install` installs, with PREFIX /usr, in $(BUILD_DIR).
deb: deps-deb build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
