// kovra-solve's problems: the program's own position files and SGF
// collections in, the answered problem (SGF with its solution tree) and its
// diagram (SVG) out.
#pragma once

#include <functional>
#include <string>

#include "sgf/sgf.h"

class CKovraView;
struct KovraProblem;
struct ProblemSource;

struct SolveOptions {
    char command = 0;  // 'k' --kill, 'l' --live, 0 the file's own (PL) or "start to kill"
    const char* sgfOut = nullptr;  // --sgf-out
    const char* svgOut = nullptr;  // --svg
    int treeLimit = 2000;          // --tree-limit
    SgfStyle sgfStyle = SgfStyle::Kovra;  // --sgf-style
    bool svgCandidates = false;    // --svg-candidates
    bool pose = false;             // --pose: print the posed problem, do not solve
    char defender = 0;             // --defender: 'b' or 'w'
};

// kovra-solve's loader: every problem of the file (one for a position file,
// each game tree of an SGF file) in turn into the view, handed to loaded.
void LoadProblems(const SolveOptions& options, CKovraView& view, const char* path,
                  const std::function<void(ProblemSource&)>& loaded);

// --pose: prints every problem of the file as posed; false when some gave
// an error (printed as "LABEL: error: REASON").
bool PoseFile(CKovraView& view, const char* path, const SolveOptions& options);

// What --pose prints for one problem: "LABEL:" and the posed board.
void PrintPosed(const std::string& label, const KovraProblem& problem);
