// kovra-solve's work: problems read one after another from the files and
// solved side by side on worker threads, each worker with its own readers,
// and with --all-moves every first move of each problem read alone. Only a
// bounded window of problems is held at a time; results come out in file
// order as soon as each problem and those before it are done.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "go/problem.h"
#include "solver/run_control.h"

class CKovraView;
struct CFirstMoveReading;
struct CFirstMoveCheck;
struct CReadingWorker;
namespace go {
class WideReader;
}

// One reading thread's readers, each made when first needed: the table
// reader's view (14 MB) and the wide reader with its bounded table.
class BatchWorker {
public:
    explicit BatchWorker(std::size_t wideTableBytes);
    ~BatchWorker();
    CReadingWorker& Table();
    go::WideReader& Wide();
    // The second wide reader, and a swap of the two: another problem read
    // on the second leaves the first one's table as it is.
    go::WideReader& SpareWide();
    void SwapWide();
    // What stops and watches the wide reader's readings.
    CRunControl& WideControl() { return m_wideControl; }

private:
    std::size_t m_wideTableBytes;
    std::unique_ptr<CReadingWorker> m_table;
    std::unique_ptr<go::WideReader> m_wide;
    std::unique_ptr<go::WideReader> m_spareWide;
    CRunControl m_wideControl;
};

// One problem as a loader read it (a file may hold several).
struct ProblemSource {
    std::string label;   // what its lines start with: "FILE" or "FILE#N"
    std::string error;   // empty: loaded; else why it cannot be solved
    go::Goal goal = go::Goal::Kill;  // "start to kill", or "start to live"
    // Read by the wide reader; otherwise the loader's view holds the
    // problem for the table reader when the loader hands it over.
    bool wide = false;
    go::Problem problem;  // the wide reader's problem
    // How the first moves of this problem are written; null: "(R,C)" and
    // "pass". A loader of another format can add its own coordinates here.
    std::function<std::string(const CFirstMoveReading&)> name;
    // Called on the worker right after each reading that was not stopped
    // (the whole one, candidate kAllFirstMoves, and each first move read
    // alone), while its reader still holds that reading, which the next
    // reading on that worker overwrites: what the answer needs is kept then.
    // Readings of one problem may call it side by side.
    std::function<void(BatchWorker& worker, const CFirstMoveReading& reading)> keep;
    // Called once every reading of the problem is done, unless the whole
    // reading was stopped or lost its trace (writing the answer out); false
    // on failure.
    std::function<bool(const CFirstMoveCheck& check)> answered;
    // A problem Kovra posed from stones alone: sets wider up as the same
    // problem with the room of the given try (1 on), for the wide reader,
    // with its own names and answers; false when that try adds nothing to
    // the one before (with nothing at all, wider is the posed problem
    // itself). Null for problems given as marked.
    std::function<bool(ProblemSource& wider, int attempt)> widen;
};

// Reads every problem of the file at path in turn and hands each to loaded;
// a table problem is set up in the view (targets marked, groups built)
// while loaded runs. When loaded returns false, no more is read.
using ProblemLoaded = std::function<bool(ProblemSource&)>;
using ProblemLoader =
    std::function<void(CKovraView& view, const char* path, const ProblemLoaded& loaded)>;

struct BatchOptions {
    bool ignoreExhaust = false;
    bool time = false;
    bool allMoves = false;
    const char* trace = nullptr;  // the last solved problem's whole reading writes it
    int jobs = 1;
    double timeout = 0;           // seconds per reading; 0: none
    std::size_t wideTableBytes = std::size_t{256} << 20;  // each worker's wide table
    const std::atomic<bool>* cancel = nullptr;  // set: every reading stops
    std::vector<const char*> files;
    ProblemLoader load;
    std::FILE* out = stdout;      // where the lines go
    // Under a time limit, the time a wide problem's first move gets in its
    // first turn (each turn after doubles it).
    std::chrono::steady_clock::duration firstTurn = std::chrono::milliseconds(50);
};

// Solves every problem and prints its lines; returns the exit status (0,
// or 1 when some problem gave an error, was stopped or lost its trace).
int RunBatch(const BatchOptions& options);

// The status-bar words of a result code with the two counters: "death=5/10".
std::string VerdictText(int code, long long expanded, long long played);
