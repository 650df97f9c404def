# The two commands: `make run` starts the program, `make test` runs every test.
# `make check` checks the format of changed sources, then builds and runs the native suite alone
# without the tests labelled slow (the layer guard and the raw-release grep among them), for a
# quick edit-and-test loop.
SHELL := /bin/bash
.PHONY: run test check setup format-check

setup:
	@scripts/setup.sh

test: setup
	@scripts/test.sh

check: setup
	@scripts/check-format.sh --changed
	@scripts/test-preset.sh native -LE slow

format-check:
	@scripts/check-format.sh

run: setup
	@scripts/run.sh
