# The two commands: `make run` starts the program, `make test` builds with sanitizers and runs every test.
# `make windows` cross-builds the module as the 32-bit qst.dll; `make test-windows` also checks it under Wine
# and runs the scenarios there. `make package` builds the Debian package.
.PHONY: run test build bench bench-desktop allocation-loop clean windows test-windows package

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
	build/bench/bin/quill-bench --benchmark_repetitions=3
	build/bench/bin/quillmaker-bench

# The desktop program alone, with 100,000 and 1,000,000 rows.
bench-desktop:
	scripts/install-deps
	cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build/bench -j $(JOBS) --target quillmaker-bench
	build/bench/bin/quillmaker-bench

# A Debian package of a release build, checked by lintian: build/package/quillmaker_VERSION_ARCH.deb
package:
	scripts/install-deps
	cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build/package -j $(JOBS) --target quill-lib quill-script qst sample_library packaging_files \
	  $$(grep -q '^QUILL_DESKTOP:BOOL=OFF' build/package/CMakeCache.txt || echo quillmaker)
	cd build/package && cpack -G DEB
	lintian build/package/quillmaker_*.deb

windows:
	scripts/install-deps
	cmake -S windows -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake
	cmake --build build/windows -j $(JOBS)

# Then every scenario file (or those named by SCENARIOS=...) against the
# module's test build, each in its own quill-script.exe process under Wine.
test-windows:
	scripts/install-deps --windows
	$(MAKE) windows
	cd build/windows && ctest --output-on-failure
	windows/run-scenarios build/windows/wineprefix build/windows/bin $(SCENARIOS)

# Every scenario with its 1st, 2nd, 3rd, ... allocation failing (make test runs a few groups),
# then with every kind of allocation counted.
allocation-loop:
	scripts/install-deps
	cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILL_SANITIZE=ON
	cmake --build build/test -j $(JOBS) --target quill-script
	build/test/bin/quill-script --allocation-loop $$(find tests/scenarios samples -name '*.qs' | sort)
	# SQLite's allocations and C++ new failing too, in the runner and in quill-lib (every 97th and 37th).
	cmake --build build/test -j $(JOBS) --target quill-lib
	build/test/bin/quill-script --allocation-loop --every-allocation --stride 97 $$(find tests/scenarios samples -name '*.qs' | sort)
	bash tools/quill-lib/allocation_loop.sh build/test/bin/quill-lib

clean:
	rm -rf build
