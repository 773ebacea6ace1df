// What `make bench` holds the program to. bench.cpp prints its figures against these, bench-wine.sh says
// whether they were met, and the test scripts_lib checks that the README's table of measurements states
// the same.
#pragma once

// From the connection's drop to the launched program's exit, over the connection cycles.
#define KW_TARGET_DROP_TO_EXIT_MEDIAN_MS 250
#define KW_TARGET_DROP_TO_EXIT_WORST_MS 450
// The launch after the connection came up: the start delay + 1 s, give or take this share.
#define KW_TARGET_LAUNCH_TOLERANCE_PERCENT 10
