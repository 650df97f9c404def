# The two commands: `make run` starts the program, `make test` runs every test.
# `make check` builds and runs the native suite alone, for a quick edit-and-test loop.
SHELL := /bin/bash
.PHONY: run test check setup format-check

setup:
	@scripts/setup.sh

test: setup
	@scripts/test.sh

check: setup
	@scripts/test-preset.sh native

format-check:
	@scripts/check-format.sh

run: setup
	@scripts/run.sh
