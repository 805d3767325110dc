# SPDX-License-Identifier: GPL-3.0-or-later
# Shorthands for the two scripts, where make is installed.
.PHONY: run test clean
run:
	./scripts/run.sh
test:
	./scripts/test.sh
clean:
	rm -rf build
