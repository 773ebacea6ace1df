# make run   builds kopplungswacht.exe and starts it under Wine
# make test  builds everything and runs the unit and end-to-end tests
# make bench measures latency, launch timing, size and the cost of an idle tick
BUILD := $(CURDIR)/build
WIN := $(BUILD)/win
HOST := $(BUILD)/host
JOBS := $(shell nproc)

.PHONY: all deps win host test run bench clean

all: win host

deps:
	@tools/install-deps.sh

win: deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN) -j$(JOBS)

host: deps
	cmake -S . -B $(HOST) -DKW_WIN_BUILD_DIR=$(WIN)
	cmake --build $(HOST) -j$(JOBS)

test: win host
	ctest --test-dir $(HOST) --output-on-failure

run: win
	tools/run.sh $(WIN)/src/platform/win32/kopplungswacht.exe $(BUILD)

bench: win host
	tools/bench-wine.sh $(WIN) 20 2
	tools/bench-tick.sh $(HOST)

clean:
	rm -rf $(BUILD)
