// kovra-sgf-measure: how well the posing of plain problems answers the
// book. For every problem of the SGF collections given it poses the
// problem, solves it (is the verdict that the side to play succeeds?) and
// solves it again with the book's first move as the only first move (does
// the book's move win?). Each solve runs in a child process under a time
// cap. Prints one line per problem and the totals.
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "sgf/sgf.h"

namespace {

struct BookMove {
    char colour = 0;  // 'B' or 'W', 0 when the file gives none
    SgfPoint at;
};

bool SaysCorrect(const SgfNode& node)
{
    const SgfProperty* c = node.Find("C");
    if (c == nullptr || c->values.empty())
        return false;
    std::string text = c->values[0];
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return text.find("correct") != std::string::npos || text.find("right") != std::string::npos;
}

bool LeadsToCorrect(const SgfTree& tree, size_t from)
{
    for (size_t i = from; i < tree.nodes.size(); ++i)
        if (SaysCorrect(tree.nodes[i]))
            return true;
    for (const SgfTree& v : tree.variations)
        if (LeadsToCorrect(v, 0))
            return true;
    return false;
}

bool MoveOf(const SgfNode& node, BookMove& move)
{
    for (const char* id : {"B", "W"}) {
        const SgfProperty* p = node.Find(id);
        if (p != nullptr && !p->values.empty() && p->values[0].size() == 2) {
            move.colour = id[0];
            move.at.x = p->values[0][0] - 'a' + 1;
            move.at.y = p->values[0][1] - 'a' + 1;
            return true;
        }
    }
    return false;
}

// The first move of the line the book marks correct (else the main line).
BookMove FirstMove(const SgfTree& tree)
{
    BookMove move;
    if (tree.nodes.size() > 1) {
        MoveOf(tree.nodes[1], move);
        return move;
    }
    for (const SgfTree& v : tree.variations) {
        if (!v.nodes.empty() && LeadsToCorrect(v, 0)) {
            MoveOf(v.nodes[0], move);
            return move;
        }
    }
    if (!tree.variations.empty() && !tree.variations[0].nodes.empty())
        MoveOf(tree.variations[0].nodes[0], move);
    return move;
}

// The solver's result code in a child process, or -100 when it ran past cap.
int SolveCapped(CKovraView& view, const KovraProblem& problem, int cap)
{
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        alarm(static_cast<unsigned>(cap));
        LoadProblem(view, problem);
        if (problem.live)
            view.OnStartDef();
        else
            view.OnStartAtk();
        _exit(view.m_solverResult + 10);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status))
        return WEXITSTATUS(status) - 10;
    return -100;
}

const char* Word(int code)
{
    switch (code) {
    case 9: return "death";
    case 8: return "life";
    case 7: return "ko";
    case -3: return "exhst";
    case -100: return "timeout";
    default: return "?";
    }
}

struct Totals {
    int problems = 0, posed = 0, succeeds = 0, ko = 0, timeouts = 0;
    int bookCandidate = 0, bookWins = 0, bookKo = 0, bookTimeouts = 0;
    std::vector<std::pair<std::string, int>> refusals;
    void Refused(const std::string& reason)
    {
        std::string kind = reason.substr(0, reason.find_first_of("0123456789"));
        for (auto& r : refusals)
            if (r.first == kind) {
                ++r.second;
                return;
            }
        refusals.emplace_back(kind, 1);
    }
};

void Measure(CKovraView& view, const std::string& name, const SgfTree& tree,
             const PoseOptions& options, int cap, bool show, Totals& totals)
{
    ++totals.problems;
    SgfSource source;
    std::string error = ReadSource(tree, source);
    const BookMove book = FirstMove(tree);
    if (source.toPlay == 0)
        source.toPlay = book.colour;
    KovraProblem problem;
    if (error.empty())
        error = PosePlain(source, options, problem);
    if (!error.empty()) {
        std::printf("%s: not posed: %s\n", name.c_str(), error.c_str());
        totals.Refused(error);
        return;
    }
    ++totals.posed;
    if (show)
        std::fputs(FormatPosed(problem).c_str(), stdout);
    const int goal = problem.live ? 8 : 9;
    const int full = SolveCapped(view, problem, cap);
    totals.succeeds += full == goal;
    totals.ko += full == kKo;
    totals.timeouts += full == -100;

    // The book's move as the only first move; the other first moves stay
    // open below the root.
    KovraProblem only = problem;
    int bookIndex = -1;
    for (size_t i = 0; i < only.moves.size(); ++i) {
        const SgfPoint p = only.ToSource(only.moves[i].at);
        if (p.x == book.at.x && p.y == book.at.y)
            bookIndex = static_cast<int>(i);
        else if (only.moves[i].kind == 'f')
            only.moves[i].kind = 'm';
    }
    int withBook = 0;
    if (bookIndex >= 0) {
        only.moves[static_cast<size_t>(bookIndex)].kind = 'f';
        ++totals.bookCandidate;
        withBook = SolveCapped(view, only, cap);
        totals.bookWins += withBook == goal;
        totals.bookKo += withBook == kKo;
        totals.bookTimeouts += withBook == -100;
    }
    std::printf("%s: %s %zu points, %s; book %c%c%c %s\n", name.c_str(),
                problem.live ? "live" : "kill", problem.moves.size(), Word(full), book.colour,
                'a' + book.at.x - 1, 'a' + book.at.y - 1,
                bookIndex < 0 ? "not a candidate" : Word(withBook));
}

}  // namespace

int main(int argc, char** argv)
{
    int cap = 10;
    bool show = false;
    PoseOptions options;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cap") == 0 && i + 1 < argc)
            cap = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--show") == 0)
            show = true;
        else
            files.push_back(argv[i]);
    }
    if (files.empty()) {
        std::fputs("usage: kovra-sgf-measure [--cap SECONDS] [--show] FILE.sgf...\n", stderr);
        return 2;
    }
    std::unique_ptr<CKovraView> view(new CKovraView);
    view->m_writeSummary = false;
    view->m_traceName = nullptr;  // no trace file
    Totals totals;
    for (const char* path : files) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::vector<SgfTree> trees;
        const std::string error = ParseSgf(text.str(), trees);
        if (!error.empty()) {
            std::printf("%s: error: %s\n", path, error.c_str());
            continue;
        }
        for (size_t t = 0; t < trees.size(); ++t)
            Measure(*view, std::string(path) + "#" + std::to_string(t + 1), trees[t], options, cap,
                    show, totals);
    }
    std::printf("problems %d, posed %d", totals.problems, totals.posed);
    for (const auto& r : totals.refusals)
        std::printf(", %s%d", r.first.c_str(), r.second);
    std::printf("\nside to play succeeds %d (ko %d, over %d s %d)\n", totals.succeeds, totals.ko,
                cap, totals.timeouts);
    std::printf("book move a candidate %d, wins %d (ko %d, over %d s %d)\n", totals.bookCandidate,
                totals.bookWins, totals.bookKo, cap, totals.bookTimeouts);
    return 0;
}
