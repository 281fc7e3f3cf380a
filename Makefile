# make run   - install what is missing, build, start on the virtual command station
# make test  - install what is missing, build, run every test
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer;
# WERROR=1 makes every compiler warning an error.
# make soak  - the seeded random session of the whole program (tst_soak) for a
#              simulated hour (SOAK_SECONDS) in the sanitizer build; GX_SOAK_SEED repeats one
# make fuzz  - runs every fuzz target for FUZZ_SECONDS (default 60) each
# make bench - builds and prints the speed and memory figures; fails when one misses its target
# make mutants - how many of the mutations in tools/mutants.list the tests catch
# make install - builds and installs into PREFIX (default /usr/local; DESTDIR is honoured)
# make package - builds the Debian package in the build folder and checks it with lintian
# make format-check - fails when a source file is not as clang-format writes it

SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS := -DGX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD ?= build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif
WERROR ?= 0
ifeq ($(WERROR),1)
CMAKE_FLAGS += -DGX_WERROR=ON
endif

PACKAGES := cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools \
            qt6-serialport-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev \
            fonts-liberation2 appstream desktop-file-utils
# What building and checking the Debian package needs besides.
PACKAGE_TOOLS := dpkg-dev file lintian
PREFIX ?= /usr/local

.PHONY: all run test soak fuzz bench mutants deps configure build install package format-check \
        clean

SOAK_SECONDS ?= 3600
FUZZ_SECONDS ?= 60
FUZZ_BUILD := build-fuzz
FUZZ_TARGETS = $(notdir $(wildcard fuzz/corpus/*))

all: build

deps:
	@./tools/install-deps $(PACKAGES)

$(BUILD)/build.ninja: CMakeLists.txt | deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

run: build
	@./tools/run-gui $(BUILD)/gx-velomat --simulate --demo

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	@./tools/install-deps $(PACKAGE_TOOLS)
	rm -f $(BUILD)/gx-velomat_*.deb
	cd $(BUILD) && cpack -G DEB
	lintian --fail-on error $(BUILD)/gx-velomat_*.deb

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/gx-bench

mutants: deps
	./tools/mutants

format-check:
	@./tools/install-deps clang-format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

soak:
	$(MAKE) configure SANITIZE=1
	cmake --build build-sanitize --target tst_soak
	cd build-sanitize && QT_QPA_PLATFORM=offscreen GX_SOAK_SECONDS=$(SOAK_SECONDS) tests/tst_soak

fuzz: deps
	@./tools/install-deps clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DGX_FUZZ=ON -DGX_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	    echo "== fuzz_$$t for $(FUZZ_SECONDS) s" && \
	    QT_QPA_PLATFORM=offscreen $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) \
	        -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/ \
	        $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done

clean:
	rm -rf build build-sanitize build-fuzz build-mutants
