# A newcomer needs two commands: `make run` and `make test`. Both set up the
# machine first (scripts/setup installs what is missing and is quick when
# nothing is).

.PHONY: setup build run test test-default test-asan test-fuzz clean

setup:
	@./scripts/setup

build: setup
	cmake --preset default
	cmake --build --preset default

# Until the windowed program exists, run the command-line tool on the sample
# donor/acceptor pair.
run: build
	build/default/cli/korin-fret-cli data/samples/donor_emission.csv data/samples/acceptor_absorption.sp

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
