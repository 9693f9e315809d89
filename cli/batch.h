// kovra-solve's work: the problems of all files solved side by side on
// worker threads, each with its own view, and, with --all-moves, every
// first move of each problem read alone. Results come out in file order.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKovraView;
struct CFirstMoveReading;
struct CFirstMoveCheck;

// One problem as a loader read it (a file may hold several).
struct ProblemSource {
    std::string label;   // what its lines start with: "FILE" or "FILE#N"
    std::string error;   // empty: loaded; else why it cannot be solved
    char side = 'b';     // 'b': "start to kill", 'w': "start to live"
    // How the first moves of this problem are written; null: "(R,C)" and
    // "pass". A loader of another format can add its own coordinates here.
    std::function<std::string(const CFirstMoveReading&)> name;
    // Called on the worker's view right after each reading that was not
    // stopped (the whole one, candidate kAllFirstMoves, and each first move
    // read alone), while the view still holds its table, which the next
    // reading on that worker overwrites: what the answer needs is kept then.
    // Readings of one problem may call it side by side.
    std::function<void(CKovraView& view, const CFirstMoveReading& reading)> keep;
    // Called once every reading of the problem is done, unless the whole
    // reading was stopped or lost its trace (writing the answer out); false
    // on failure.
    std::function<bool(const CFirstMoveCheck& check)> answered;
};

// Reads every problem of the file at path into the view in turn (targets
// marked, groups built) and hands each to loaded while the view holds it.
using ProblemLoader = std::function<void(CKovraView& view, const char* path,
                                         const std::function<void(ProblemSource&)>& loaded)>;

struct BatchOptions {
    bool ignoreExhaust = false;
    bool time = false;
    bool allMoves = false;
    const char* trace = nullptr;  // the last solved problem's whole reading writes it
    int jobs = 1;
    double timeout = 0;           // seconds per reading; 0: none
    const std::atomic<bool>* cancel = nullptr;  // set: every reading stops
    std::vector<const char*> files;
    ProblemLoader load;
};

// Solves every problem and prints its lines; returns the exit status (0,
// or 1 when some problem gave an error, was stopped or lost its trace).
int RunBatch(const BatchOptions& options);
