#!/bin/sh
# SPDX-License-Identifier: MIT
# writes_committed_table.sh <generator> <table>: the generator succeeds and
# writes the table byte for byte.
"$1" > "$TEST_TMPDIR/table" && cmp "$TEST_TMPDIR/table" "$2"
