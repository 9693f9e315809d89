// Checks kovra-solve makes around its runs: an output file that would
// overwrite an input or another output, or could keep it waiting, and
// output that was lost.
#pragma once

#include <vector>

// True when the output file is one of the inputs (the same file under any name).
bool OutputIsAnInput(const char* output, const std::vector<const char*>& inputs);

// "a pipe" or "a socket" when the output is one, which could keep the
// program waiting for a reader for ever; else null.
const char* OutputThatWaits(const char* output);

// True when both outputs would land in the same file: the same existing
// file under any name, or the same name in the same directory for a file
// not there yet. Devices (/dev/null) may take several outputs.
bool SameOutput(const char* a, const char* b);

// True when the output would land in the regular file that standard output
// is redirected to.
bool OutputIsStandardOutput(const char* output);

// Flushes standard output; false, with a message, when something written
// there or on standard error was lost.
bool OutputWritten();

// An output named as a directory ("DIR/", or one that exists): it takes
// one file per problem.
bool IsDirectoryOutput(const char* path);
