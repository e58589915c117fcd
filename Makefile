# The two commands of the README, plus helpers for developers.
.PHONY: run test setup fuzz bench gallery clean

setup:
	@scripts/setup.sh

run: setup
	@scripts/run.sh

test: setup
	@scripts/test.sh

fuzz: setup
	@scripts/setup.sh clang-14 libclang-rt-14-dev
	@scripts/fuzz.sh

bench: setup
	@scripts/setup.sh time
	@bench/run.sh

gallery: setup
	@scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@build/release/examples/tokiwa_gallery docs/gallery

clean:
	rm -rf build
