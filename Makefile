# make run: set up, build and start the game.  make test: set up, build and run every test.
BUILD := build
JOBS := -j2
FUZZ_SECONDS := 60
MAKEFLAGS += --no-print-directory

.PHONY: run editor test build setup clean shots levelsheet bench sanitize fuzz package desktop \
  wayland

setup:
	@tools/setup.sh

# Optimised, without debug information: the set-up commands build everything afresh on a new
# machine, and debug information makes every object file several times larger.
build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
	  >/dev/null
	@cmake --build $(BUILD) $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: set DISPLAY or WAYLAND_DISPLAY to start the game." >&2; exit 1; fi
	@$(BUILD)/bin/quirlon95

# The level editor on the level file the game would play.
editor: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: set DISPLAY or WAYLAND_DISPLAY to start the level editor." >&2; exit 1; fi
	@$(BUILD)/bin/quirlon95-editor

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)

# The game on a virtual X desktop under openbox and icewm, played through xdotool.
desktop: build
	@cd $(BUILD) && ctest --output-on-failure -L desktop $(JOBS)

# The game and the level editor on a headless Wayland desktop under sway and KWin.
wayland: build
	@cd $(BUILD) && ctest --output-on-failure -L wayland $(JOBS)

shots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quirlon95-shots $(BUILD)/shots

# Every level of the shipped file on one picture, drawn by the play field at the level's start;
# the second also shows the way the solver found through each level.
levelsheet: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quirlon95-levelsheet levels/328lvd.ini $(BUILD)/levelsheet.png
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quirlon95-levelsheet levels/328lvd.ini \
	  $(BUILD)/levelsheet-ways.png --ways

# The game headless under an autopilot at device pixel ratio 1 and 2; its first window on X11 and
# on Wayland against a bare Qt window; then the rules alone.
bench: build
	@$(BUILD)/bin/quirlon95-bench
	@$(BUILD)/bin/quirlon95-firstwindow
	@$(BUILD)/bin/quirlon95-corebench

# The Debian package, installing to /usr, in the build folder.
package: build
	@cd $(BUILD) && cpack >/dev/null
	@echo "Package: $$(ls -t $(BUILD)/*.deb | head -n 1)"

# The rules, the runner and their tests under AddressSanitizer and UndefinedBehaviorSanitizer, at
# the optimisation the sanitizers advise and with line numbers for their reports.
sanitize: setup
	@cmake -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1 -DNDEBUG" -DQUIRLON_RULES_ONLY=ON -DQUIRLON_SANITIZE=ON \
	  >/dev/null
	@cmake --build $(BUILD)/sanitize $(JOBS)
	@cd $(BUILD)/sanitize && ctest --output-on-failure $(JOBS)

# Each fuzz target for FUZZ_SECONDS, from the starting corpus; findings land in build/fuzz/. Only
# the fuzz targets are built, with line tables for the sanitizers' reports and no more.
# AddressSanitizer's quarantine of freed memory is held to 16 MB (from 256), and what it frees is
# kept for reuse instead of handed back to the system and faulted in again: a fuzzer stays well
# under 300 MB, and more than that is a finding. One fuzzer runs at a time, so its corpus folder
# is never read again for inputs found by others.
fuzz:
	@tools/setup.sh clang libclang-rt-14-dev
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DQUIRLON_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)/fuzz $(JOBS) --target fuzz_levelfile fuzz_play fuzz_leveldocument
	@for target in levelfile play leveldocument; do \
	  mkdir -p $(BUILD)/fuzz/corpus-$$target && \
	  ASAN_OPTIONS=quarantine_size_mb=16:allocator_release_to_os_interval_ms=-1 \
	    $(BUILD)/fuzz/bin/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	    -rss_limit_mb=300 -reload=0 -print_final_stats=1 \
	    -artifact_prefix=$(BUILD)/fuzz/$$target- \
	    $(BUILD)/fuzz/corpus-$$target tests/fuzz/corpus/$$target || exit 1; \
	done

clean:
	rm -rf $(BUILD)
