# make run      builds kopplungswacht.exe and starts it under Wine
# make test     builds everything, the release included, runs clang-tidy over src/ and the unit, end-to-end
#               and release tests
# make release  builds the installer, the portable zip and their checksums into dist/; the same commit
#               gives the same bytes wherever and whenever it is built
# make demo     plays a dial-up connection for the real program under Wine
# make fuzz     runs every fuzz target for FUZZ_S seconds (60 by default) and prints each one's executions,
#               coverage and findings
# make bench    measures latency, launch timing, size and the cost of idling
#               (BASELINE=<an earlier build's kopplungswacht.exe> measures its latency and idle cost in the
#               same run and compares them)
#
# Wine runs the 32-bit program only where the host executes 32-bit x86 code. Elsewhere the Wine tests,
# run, demo and bench go through an emulated x86 machine (tools/vm/), made once per host and cached in
# ~/.cache/kopplungswacht/. E2E=native or E2E=vm forces either way; the default, auto, tries one.
BUILD := $(CURDIR)/build
WIN := $(BUILD)/win
HOST := $(BUILD)/host
DIST := $(CURDIR)/dist
JOBS := $(shell nproc)
E2E ?= auto
WHERE := $(shell tools/vm/where.sh $(E2E))
ifeq ($(WHERE),)
$(error E2E must be auto, native or vm)
endif
VM := tools/vm/run.sh
# The portable code, its unit tests and the fuzz targets under the sanitizers, built with clang.
ASAN := $(BUILD)/asan
FUZZ_S ?= 60
FUZZ_TARGETS := $(patsubst tests/fuzz/%_fuzz.cpp,%,$(wildcard tests/fuzz/*_fuzz.cpp))

.PHONY: all deps win host test run release demo bench clean
.PHONY: asan fuzz

all: win host

deps:
	@tools/install-deps.sh

win: deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(WIN) -j$(JOBS)

host: deps
	cmake -S . -B $(HOST) -DKW_WIN_BUILD_DIR=$(WIN) -DKW_DIST_DIR=$(DIST) -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(HOST) -j$(JOBS)

release: win
	tools/release/release.sh $(WIN) $(DIST)

asan: deps
	cmake -S . -B $(ASAN) -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DKW_SANITIZE=ON
	cmake --build $(ASAN) -j$(JOBS)

# New inputs found on the way stay in build/fuzz/<target>/new, so each run goes on where the last stopped.
fuzz: asan
	@status=0; for target in $(FUZZ_TARGETS); do \
		tests/fuzz/run.sh $(ASAN)/tests/fuzz/fuzz_$$target tests/fuzz/corpus/$$target $(BUILD)/fuzz/$$target \
			$(FUZZ_S) || status=1; \
	done; exit $$status

# The tests labelled wine run under Wine; those labelled vm test the emulated machine itself.
test: win host release
test: asan
	tools/tidy.sh $(HOST) $(WIN)
	ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS)
ifeq ($(WHERE),native)
	ctest --test-dir $(HOST) --output-on-failure -LE vm
else
	@echo "This host does not run 32-bit programs: the Wine tests run in the emulated x86 machine."
	@tools/vm/image.sh >/dev/null
	ctest --test-dir $(HOST) --output-on-failure -LE wine
	$(VM) --limit 3600 --fresh $(HOST)/tests/e2e/wine -- ctest --test-dir $(HOST) --output-on-failure -L wine
endif

# A command that runs Wine, where Wine runs: here, or in the emulated machine with $(1), its Wine prefix,
# in the machine's memory.
IN_WINE = $(if $(filter vm,$(WHERE)),$(VM) --limit 3600 --fresh $(1) --)

run: win
	$(call IN_WINE,$(BUILD)/wine-run) tools/run.sh $(WIN)/src/platform/win32/kopplungswacht.exe $(BUILD) \
		$(WIN)/tools/demo/kwdemo.exe

demo: win
	$(call IN_WINE,$(BUILD)/demo/prefix) tools/demo/demo.sh $(WIN) $(BUILD)/demo

# The earlier build is copied into the project folder, where the emulated machine sees it too.
bench: win host
	$(if $(BASELINE),mkdir -p $(BUILD)/baseline && cp $(BASELINE) $(BUILD)/baseline/kopplungswacht.exe)
	$(call IN_WINE,$(WIN)/bench-wine) bench/bench-wine.sh $(WIN) $(HOST)/tests/e2e/tun_hold 20 2 \
		$(if $(BASELINE),$(BUILD)/baseline/kopplungswacht.exe)
	bench/bench-tick.sh $(HOST)

clean:
	rm -rf $(BUILD) $(DIST)
