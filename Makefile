# Entry points. `make test` is what CI runs.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: bootstrap build test test-normal test-sanitize demo bench fuzz run clean package

bootstrap:
	./scripts/bootstrap.sh

build: bootstrap
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS)

test-normal: build
	cd build && ctest --output-on-failure -j $(JOBS)

# The sanitizer tree is built with clang: it builds it in half the time GCC
# takes, and a second compiler sees what the first lets pass.
test-sanitize: bootstrap
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIVISTA_SANITIZE=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest --output-on-failure -j $(JOBS)

test: test-normal test-sanitize

demo: build
	./scripts/make-demo.sh build

bench: build
	./bench/run.sh build

fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B fuzz-build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVISTA_FUZZ=ON -DLUMIVISTA_GUI=OFF
	cmake --build fuzz-build -j $(JOBS) --target fuzz_targets
	./tests/fuzz/run.sh fuzz-build

# web-lumivista_2.0.0_amd64.deb in this folder: apt install ./web-lumivista_2.0.0_amd64.deb
package: build
	cmake --build build --target package
	cp build/web-lumivista_*_amd64.deb .
	./packaging/check-deb.sh web-lumivista_*_amd64.deb

run: build
	./build/app/lumivista

clean:
	rm -rf build build-sanitize fuzz-build web-lumivista_*.deb
