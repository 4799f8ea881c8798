# The two commands: `make run` starts the program, `make test` builds with sanitizers and runs every test.
.PHONY: run test build bench bench-desktop clean

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
	cmake --build build/bench -j $(JOBS) --target quill-bench quillmaker-bench
	build/bench/bin/quill-bench
	build/bench/bin/quillmaker-bench

# The desktop program alone, with 100,000 and 1,000,000 rows.
bench-desktop:
	scripts/install-deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/bench -j $(JOBS) --target quillmaker-bench
	build/bench/bin/quillmaker-bench

clean:
	rm -rf build
