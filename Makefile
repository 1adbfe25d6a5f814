# The two commands of the README: `make run` and `make test`.
# Both install missing Debian packages, then configure and build in one
# build directory with CMake and Ninja.

BUILD_DIR ?= build
CMAKE_FLAGS ?=
CTEST_FLAGS ?= -j2
# Run under a virtual X server when there is no display. -noreset keeps the
# server from resetting (and refusing connections) whenever its last client
# leaves between two tests.
XRUN := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")

.PHONY: all deps configure build run test clean

all: build

deps:
	@sh tools/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/kvx-demo

# Tests play sound through SDL's dummy driver unless told otherwise.
test: build
	cd $(BUILD_DIR) && SDL_AUDIODRIVER=$${SDL_AUDIODRIVER:-dummy} $(XRUN) ctest --output-on-failure $(CTEST_FLAGS)

clean:
	rm -rf $(BUILD_DIR)
