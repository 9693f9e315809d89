// Loads a problem file (the program's own position format, "x" lines as
// targets) into a view, marking the targets as target clicks do.
#pragma once

#include <string>

class CKovraView;

// Reads a position file's text (never waiting on a pipe); empty on success,
// else why it cannot be read.
std::string ReadProblemFile(const char* path, std::string& text);

// Sets up the problem of a position file's text. Returns an empty string on
// success, else why the problem cannot be solved. Lines that nothing was
// read from are reported on standard error as "NAME: line N: WHY" (not the
// candidates past the 15th when allCandidates: another reader takes them);
// the text is read all the same.
std::string LoadProblemText(CKovraView& view, const std::string& text, const char* name,
                            bool allCandidates);

// The two together, for a file.
std::string LoadProblemFile(CKovraView& view, const char* path);
