# make run      builds kopplungswacht.exe and starts it under Wine
# make test     builds everything, the release included, and runs the unit, end-to-end and release tests
# make release  builds the installer, the portable zip and their checksums into dist/
# make demo     plays a dial-up connection for the real program under Wine
# make bench    measures latency, launch timing, size and the cost of idling
#               (BASELINE=<an earlier build's kopplungswacht.exe> measures its idle cost in the same run)
BUILD := $(CURDIR)/build
WIN := $(BUILD)/win
HOST := $(BUILD)/host
DIST := $(CURDIR)/dist
JOBS := $(shell nproc)

.PHONY: all deps win host test run release demo bench clean

all: win host

deps:
	@tools/install-deps.sh

win: deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN) -j$(JOBS)

host: deps
	cmake -S . -B $(HOST) -DKW_WIN_BUILD_DIR=$(WIN) -DKW_DIST_DIR=$(DIST)
	cmake --build $(HOST) -j$(JOBS)

release: win
	tools/release/release.sh $(WIN) $(DIST)

test: win host release
	ctest --test-dir $(HOST) --output-on-failure

run: win
	tools/run.sh $(WIN)/src/platform/win32/kopplungswacht.exe $(BUILD) $(WIN)/tools/demo/kwdemo.exe

demo: win
	tools/demo/demo.sh $(WIN) $(BUILD)/demo

bench: win host
	tools/bench-wine.sh $(WIN) 20 2 $(BASELINE)
	tools/bench-tick.sh $(HOST)

clean:
	rm -rf $(BUILD) $(DIST)
