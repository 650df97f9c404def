# The two commands: `make run` starts the program, `make test` runs every test.
SHELL := /bin/bash
.PHONY: run test setup

setup:
	@scripts/setup.sh

test: setup
	@scripts/test.sh

run: setup
	@scripts/run.sh
