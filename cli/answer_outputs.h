// What --sgf-out and --svg write for one problem once its readings are
// done: the answer of the whole reading and, with --all-moves, each wrong
// first move with its refutation; the readings keep what that needs.
#pragma once

#include "sgf_input.h"

struct KovraProblem;
struct ProblemSource;

// A problem the table reader reads on its own frame (the worker's view
// holds each reading when it is kept).
void WriteTableAnswers(ProblemSource& source, const KovraProblem& problem,
                       const SolveOptions& options);
// A problem the wide reader reads (source.problem) on the file's board;
// info is the file's root information written back with it.
void WriteWideAnswers(ProblemSource& source, const std::vector<SgfProperty>& info,
                      const SolveOptions& options);
