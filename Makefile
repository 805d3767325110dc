# Two entry points for a fresh Debian 12 machine; CMake does the building.
#   make run    installs what is missing, builds and starts the program
#   make test   installs what is missing, builds, and runs every test headless
.PHONY: run test deps build build-asan clean

JOBS ?= $(shell nproc)

run: build
	./build/release/app/tarrowen

test: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release

deps:
	./scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

clean:
	rm -rf build
