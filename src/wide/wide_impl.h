// What a wide reader keeps from one Read to its solution tree.
#pragma once

#include <memory>
#include <vector>

#include "go/problem.h"
#include "go/solution_tree.h"
#include "wide/wide_reader.h"
#include "wide/wide_rules.h"
#include "wide/wide_search.h"
#include "wide/wide_table.h"

namespace go {

struct WideReader::Impl {
    explicit Impl(std::size_t tableBytes) : table(tableBytes) {}

    // Gets ready for a reading. The table's results are facts about
    // positions of one problem (the root, which a first move read alone
    // restricts, is never stored): they stay for the next reading of the
    // same problem and go for another one.
    void Start(const Problem& p, Loc firstMove)
    {
        if (!SameProblem(problem, p))
            table.Clear();
        problem = p;
        only = firstMove;
        verdict = Verdict::Undecided;
        treeReading = 0;
        search.reset();
        rules.reset(new WideRules(problem));
        search.reset(new WideSearch(*rules, table));
    }

    // Empties the table; the next problem, even the same one, reads afresh.
    void Forget()
    {
        table.Clear();
        problem = Problem();
    }

    // The solution tree of the last reading (wide_tree.cpp).
    std::vector<TreeMove> Tree(int limit, bool& cut);

    WideTable table;
    Problem problem;
    Loc only = kNoLoc;
    std::unique_ptr<WideRules> rules;
    std::unique_ptr<WideSearch> search;
    Verdict verdict = Verdict::Undecided;
    int treeReading = 0;  // the reading that decided: 1 or 2; 0 none
};

}  // namespace go
