# A newcomer needs two commands: `make run` and `make test`. Both set up the
# machine first (scripts/setup installs what is missing and is quick when
# nothing is).

.PHONY: setup build run test test-default test-asan test-fuzz clean

setup:
	@./scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default

# The windowed program does not exist yet: for now this builds the libraries.
run: build
	@echo "Korin-FRET: libraries built in build/default; the program itself is not written yet."

test-default: setup
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

test-asan: setup
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# Every reader on arbitrary bytes, for a bounded time.
test-fuzz: setup
	scripts/fuzz 30

test: test-default test-asan test-fuzz

clean:
	rm -rf build
