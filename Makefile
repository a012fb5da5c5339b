# Tarnivo: `make run` and `make test` do all the set-up on a fresh Debian machine.

HOST  := build/host
WIN32 := build/win32
BENCH := build/bench

.PHONY: all deps host win32 build test run gallery bench fuzz clean

all: build

deps:
	@tools/install-deps.sh

host: deps
	@test -f $(HOST)/build.ninja || cmake -S . -B $(HOST) -G Ninja \
	    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(HOST)

win32: host
	@test -f $(WIN32)/build.ninja || cmake -S . -B $(WIN32) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake \
	    -DCMAKE_BUILD_TYPE=Release \
	    -DTARNIVO_HOST_BUILD_DIR=$(abspath $(HOST))
	cmake --build $(WIN32)

build: host win32

test: build
	@tools/run-tests.sh $(HOST) $(WIN32)

run: build
	@tools/run-tarnivo.sh $(WIN32)

# SkinGallery: interactive with a display, else pictures of every window in
# every skin in build/screenshots/ (SKIN=file.skn adds a skin file).
gallery: build
	@tools/run-gallery.sh $(WIN32) $(SKIN)

bench: deps
	@test -f $(BENCH)/build.ninja || cmake -S . -B $(BENCH) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Release -DTARNIVO_BENCH=ON
	cmake --build $(BENCH)

# Runs every fuzz target for FUZZ_SECONDS (default 60) on its seed corpus.
FUZZ_SECONDS ?= 60
fuzz: host
	@for f in $(HOST)/tests/fuzz/*_fuzz; do \
	    name=$$(basename $$f _fuzz); \
	    mkdir -p build/fuzz-corpus/$$name; \
	    echo "fuzzing $$name for $(FUZZ_SECONDS) s"; \
	    $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        build/fuzz-corpus/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf $(HOST) $(WIN32) $(BENCH)
