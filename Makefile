# make run   - install what is missing, build, start on the virtual command station
# make test  - install what is missing, build, run every test
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer.

SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_FLAGS := -DGX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD ?= build
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

PACKAGES := cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools \
            qt6-serialport-dev qt6-qpa-plugins libgl-dev fonts-liberation2

.PHONY: all run test deps configure build clean

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

clean:
	rm -rf build build-sanitize
