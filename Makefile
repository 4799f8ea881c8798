# The two commands: `make run` starts the program, `make test` builds with sanitizers and runs every test.
.PHONY: run test build bench allocation-loop clean

JOBS ?= $(shell nproc)

run:
	scripts/install-deps
	cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/run -j $(JOBS)
	scripts/run-desktop build/run

test:
	scripts/install-deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench:
	scripts/install-deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/bench -j $(JOBS) --target quill-bench
	build/bench/bin/quill-bench

# Every scenario with its 1st, 2nd, 3rd, ... allocation failing (make test runs a few groups).
allocation-loop:
	scripts/install-deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON
	cmake --build build/test -j $(JOBS) --target quill-script
	build/test/bin/quill-script --allocation-loop $$(find tests/scenarios samples -name '*.qs' | sort)

clean:
	rm -rf build
