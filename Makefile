# Entry points named in README.md. `make test` is what CI runs.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run package sanitize fuzz clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest -j2 --timeout 300 --output-on-failure

run: build
	@scripts/run-editor

# build/tessary_<version>_amd64.deb, its dependencies found by dpkg-shlibdeps.
package: build
	@cmake --build $(BUILD) --target package

# A test that hangs under the sanitizers fails after five minutes instead of
# holding up CI.
sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSARY_SANITIZE=ON -DTESSARY_BENCH=OFF >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ctest -j2 --output-on-failure --timeout 300

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARY_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/fuzz-all $${FUZZ_SECONDS:-30}

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
