# make run: set up, build and start the game.  make test: set up, build and run every test.
BUILD := build
JOBS := -j2

.PHONY: run test build setup clean shots

setup:
	@tools/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: set DISPLAY or WAYLAND_DISPLAY to start the game." >&2; exit 1; fi
	@$(BUILD)/bin/quirlon95

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)

shots: build
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bin/quirlon95-shots $(BUILD)/shots

clean:
	rm -rf $(BUILD)
