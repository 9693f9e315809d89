// kovra-solve's SGF side: collections of problems in, the answered problem
// (SGF with its solution tree) and its diagram (SVG) out.
#pragma once

#include <string>

class CKovraView;
class CSolveWatch;
class StatusRecorder;
struct KovraProblem;

struct SolveOptions {
    char command = 0;  // 'k' --kill, 'l' --live, 0 the file's own (PL) or "start to kill"
    bool ignoreExhaust = false;
    bool time = false;
    const char* sgfOut = nullptr;  // --sgf-out
    const char* svgOut = nullptr;  // --svg
    int treeLimit = 2000;          // --tree-limit
    bool pose = false;             // --pose: print the posed problem, do not solve
    char defender = 0;             // --defender: 'b' or 'w'
    double timeout = 0;            // --timeout: seconds, 0 for none
    CSolveWatch* watch = nullptr;  // stops reads on time-outs and signals
};

// What --pose prints for one problem: "LABEL:" and the posed board.
void PrintPosed(const std::string& label, const KovraProblem& problem);

// True for a name ending in ".sgf", in any case.
bool IsSgfPath(const char* path);

// Runs the solver command on the problem in the view and prints
// "LABEL: VERDICT" (with the time when asked) or "LABEL: cancelled".
// False when the read was stopped or its trace could not be written.
bool SolveAndPrint(CKovraView& view, const StatusRecorder& recorder, const std::string& label,
                   bool live, const SolveOptions& options);

// Solves every problem of an SGF file, one line each ("FILE#N: ..." when the
// file holds several). False when some problem gave an error.
bool SolveSgfFile(CKovraView& view, const StatusRecorder& recorder, const char* path,
                  const SolveOptions& options);

// Writes the view's problem, as loaded from a position file and solved, to
// the --sgf-out and --svg files. False (reason on standard error) on failure.
bool WriteViewOutputs(CKovraView& view, const SolveOptions& options);
