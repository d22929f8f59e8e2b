# Everything a fresh Debian machine needs: `make run` and `make test`.
BUILD     ?= build
FUZZBUILD ?= build-fuzz
FUZZTIME  ?= 60
JOBS      ?= $(shell nproc)

.PHONY: all deps configure build run test package package-test bench fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tekvo

test: build
	scripts/check-format
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# A Debian package of both programs: $(BUILD)/tekvo_*.deb.
package: build
	cmake --build $(BUILD) --target package

# Installs the package with apt-get, checks it and removes it again (root or sudo).
package-test: build
	scripts/package-test $(BUILD)

bench: build
	scripts/run-benchmarks $(BUILD)

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZBUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTEKVO_GUI=OFF -DTEKVO_TESTS=OFF -DTEKVO_BENCH=OFF -DTEKVO_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-omit-frame-pointer"
	cmake --build $(FUZZBUILD) -j $(JOBS)
	scripts/run-fuzzers $(FUZZBUILD) $(FUZZTIME)

clean:
	rm -rf $(BUILD) $(FUZZBUILD)
