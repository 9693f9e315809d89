// Loads a problem file (the program's own position format, "x" lines as
// targets) into a view, marking the targets as target clicks do.
#pragma once

#include <string>

class CKovraView;

// Returns an empty string on success, else why the problem cannot be
// solved. Lines that nothing was read from are reported on standard error
// as "PATH: line N: WHY"; the file is read all the same.
std::string LoadProblemFile(CKovraView& view, const char* path);
