// kovra-solve's work: problem files solved side by side on worker threads,
// each with its own view, and, with --all-moves, every first move of each
// problem read alone. Results come out in the order of the files.
#pragma once

#include <functional>
#include <string>
#include <vector>

class CKovraView;
struct CFirstMoveReading;

// One problem file as a loader read it.
struct ProblemSource {
    std::string error;  // empty: loaded; else why it cannot be solved
    // How the first moves of this problem are written; null: "(R,C)" and
    // "pass". A loader of another format can add its own coordinates here.
    std::function<std::string(const CFirstMoveReading&)> name;
};

// Reads the file at path into the view, targets marked and groups built.
using ProblemLoader = std::function<ProblemSource(CKovraView& view, const char* path)>;

struct BatchOptions {
    char side = 'b';  // 'b': "start to kill", 'w': "start to live"
    bool ignoreExhaust = false;
    bool time = false;
    bool allMoves = false;
    const char* trace = nullptr;  // the last solved file's whole reading writes it
    int jobs = 1;
    std::vector<const char*> files;
    ProblemLoader load;  // null: the program's own position files
};

// Solves every file and prints its lines; returns the exit status (0, or
// 1 when some file gave an error).
int RunBatch(const BatchOptions& options);
