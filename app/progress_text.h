// The progress pane's text while a solver read runs, short enough for the
// status bar of the window at its own size: "3: 16.2M pos, 3.1M/s" (the
// root entry being read, from 1, or "root" before the first; the positions
// expanded so far; how many a second).
#pragma once

#include <string>

// rootEntry: the move-list entry from 0, or -1 before the first.
std::string ProgressText(int rootEntry, long long nodes, double seconds);

// A count in three digits at most and a unit: 950, 12.3k, 162k, 16.2M, 2.1G.
std::string ShortCount(long long n);
