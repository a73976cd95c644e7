# The commands a newcomer types. Each installs what is missing first.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

.PHONY: all build run test bench fuzz deps clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORREL_TESTS=OFF >/dev/null
	@cmake --build build/release -j $(JOBS)
	@mkdir -p build/bin && cp -f build/release/bin/* build/bin/

run: build
	@scripts/run-quorrel build/bin/quorrel

test: deps
	@cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORREL_SANITIZE=ON -DQUORREL_WERROR=ON >/dev/null
	@cmake --build build/asan -j $(JOBS)
	@scripts/run-tests build/asan

bench: deps
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORREL_TESTS=OFF -DQUORREL_BENCH=ON >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@scripts/run-bench build/bench

fuzz: deps
	@CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORREL_GUI=OFF \
	    -DQUORREL_TESTS=OFF -DQUORREL_FUZZ=ON >/dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@scripts/run-fuzz build/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build
