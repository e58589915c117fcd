# The commands of the README, plus helpers for developers.
.PHONY: run test package setup fuzz bench gallery clean

setup:
	@scripts/setup.sh

run: setup
	@scripts/run.sh

test: setup
	@scripts/test.sh

# A Debian package of the viewer alone, in a build tree of its own.
package: setup
	@scripts/build.sh build/package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOKIWA_TESTS=OFF -DTOKIWA_BENCH=OFF
	@cmake --build build/package --target package

fuzz: setup
	@scripts/setup.sh clang-14 libclang-rt-14-dev
	@scripts/fuzz.sh

bench: setup
	@scripts/setup.sh time hyperfine gnuplot-nox
	@bench/run.sh

gallery: setup
	@scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@build/release/examples/tokiwa_gallery docs/gallery

clean:
	rm -rf build
