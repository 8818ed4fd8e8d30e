# A newcomer needs two commands: `make run` and `make test`. Both set up the
# machine first (scripts/setup installs what is missing and is quick when
# nothing is).

.PHONY: setup build run package check web test test-default test-asan test-fuzz test-package test-web clean

setup:
	@./scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default

# The Debian packages korin-fret and korin-fret-cli, in build/default.
package: build
	cmake --build --preset default --target package

# Starts the windowed program. Without a display there is nothing to show it
# on: say so, and show what the command-line tool makes of the sample pair.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  build/default/ui/korin-fret; \
	else \
	  echo "No display found (DISPLAY and WAYLAND_DISPLAY are empty). Run 'make run' on a desktop,"; \
	  echo "or under a virtual display: xvfb-run -a make run"; \
	  echo "Meanwhile, the sample pair through the command-line tool:"; \
	  build/default/cli/korin-fret-cli data/samples/donor_emission.csv data/samples/acceptor_absorption.sp; \
	fi

# The inner loop: one development build of everything the suite covers
# (no benchmarks, no packages; through ccache when it is installed), and
# every test on both cores. `make test` stays the full gate.
check: setup
	cmake --preset check
	cmake --build --preset check
	ctest --preset check

test-default: setup
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

test-asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# The web edition in build/web: the engine as WebAssembly (clang-22,
# wasm32-wasi) and the page bundled with it into one script, so that the
# folder works from any static host or opened from disk.
web: setup
	cmake --preset web
	cmake --build --preset web
	cd web && npm ci --no-audit --no-fund --loglevel=error
	node web/build.mjs

# The page's modules under Node, and the built page in headless Chromium
# against the command-line tool of the default build.
test-web: web build
	cd web && node --test tests/

# Every reader on arbitrary bytes, for a bounded time.
test-fuzz: setup
	scripts/fuzz 45

# The packages' entry, metadata, manual pages and lintian, and the
# programs run from the unpacked packages.
test-package: package
	scripts/check-package build/default

test: test-fuzz test-default test-asan test-package test-web

clean:
	rm -rf build
