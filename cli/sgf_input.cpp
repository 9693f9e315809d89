#include "sgf_input.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <strings.h>

#include "board/kovra_view.h"
#include "sgf/sgf.h"
#include "batch.h"
#include "platform/replace_file.h"
#include "problem_file.h"
#include "solver/first_moves.h"

namespace {

constexpr std::size_t kReadLimit = 64u << 20;  // ParseSgf takes no more

bool ReadWhole(const char* path, std::string& text, std::string& error)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        error = std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    char buffer[1 << 16];
    std::size_t n;
    // A little past the reader's limit is enough for it to refuse the file.
    while (text.size() <= kReadLimit && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        error = "cannot read the file";
    return !failed;
}

// Written through a fresh temporary file, so a failed write leaves any
// earlier file as it was.
bool WriteWhole(const char* path, const std::string& text)
{
    CReplaceFile out;
    const bool written = out.Open(path, true) &&
                         std::fwrite(text.data(), 1, text.size(), out.Stream()) == text.size() &&
                         out.Commit(false);
    if (!written)
        std::fprintf(stderr, "kovra-solve: cannot write %s: %s\n", path, std::strerror(errno));
    return written;
}

// What the readings of one problem leave for its SGF: the whole reading's
// answer and each first move's read alone, by candidate. Readings of the
// problem keep theirs side by side.
struct KeptAnswers {
    std::mutex mutex;
    std::map<int, SgfAnswer> byCandidate;
};

using MoveName = std::function<std::string(const CFirstMoveReading&)>;

bool SamePoint(const SgfTreeMove& a, const SgfTreeMove& b)
{
    return a.colour == b.colour && a.at.x == b.at.x && a.at.y == b.at.y;
}

bool Holds(const std::vector<SgfTreeMove>& moves, const SgfTreeMove& move)
{
    for (const SgfTreeMove& m : moves)
        if (SamePoint(m, move))
            return true;
    return false;
}

// The first move a reading read alone, as a move of the tree.
SgfTreeMove FirstMove(const KovraProblem& problem, const CFirstMoveReading& reading)
{
    SgfTreeMove move;
    move.colour = problem.live ? 2 : 1;
    if (reading.candidate != kFirstMovePass)
        move.at = SgfPoint{reading.column, reading.row};
    return move;
}

// A first move read alone, with the winner's answers from its own reading
// (kept: null when it was stopped).
SgfTreeMove FirstMoveLine(const KovraProblem& problem, const CFirstMoveReading& reading,
                          const SgfAnswer* answer, const std::string& name)
{
    SgfTreeMove line = FirstMove(problem, reading);
    if (answer != nullptr && answer->tree.size() == 1 && SamePoint(answer->tree[0], line))
        line.next = answer->tree[0].next;
    const bool decided = answer != nullptr && answer->decided;
    line.comment = (decided ? "Wrong: " : "Undecided: ") + name + " " + reading.verdict;
    return line;
}

// The first moves that are no solution, in list order, each once, those the
// whole reading's tree already opens with left out.
std::vector<SgfTreeMove> WrongMoves(const KovraProblem& problem, const CFirstMoveCheck& check,
                                    const KeptAnswers& kept, const MoveName& name)
{
    const auto whole = kept.byCandidate.find(kAllFirstMoves);
    std::vector<SgfTreeMove> shown;
    if (whole != kept.byCandidate.end())
        shown = whole->second.tree;
    std::vector<SgfTreeMove> wrong;
    const CFirstMoveOutcome outcome = JudgeFirstMoves(check);
    for (int s : outcome.solutions)
        shown.push_back(FirstMove(problem, check.readings[static_cast<std::size_t>(s)]));
    for (const CFirstMoveReading& reading : check.readings) {
        const auto found = kept.byCandidate.find(reading.candidate);
        const SgfAnswer* answer = found == kept.byCandidate.end() ? nullptr : &found->second;
        SgfTreeMove line = FirstMoveLine(problem, reading, answer, name(reading));
        if (Holds(shown, line) || Holds(wrong, line))
            continue;
        wrong.push_back(std::move(line));
    }
    return wrong;
}

bool WriteOutputs(const KovraProblem& problem, const CFirstMoveCheck& check,
                  const KeptAnswers& kept, const MoveName& name, const SolveOptions& options)
{
    bool ok = true;
    if (options.sgfOut != nullptr) {
        const auto whole = kept.byCandidate.find(kAllFirstMoves);
        const SgfAnswer answer = whole == kept.byCandidate.end() ? SgfAnswer() : whole->second;
        const std::string sgf =
            WriteSgf(problem, answer, WrongMoves(problem, check, kept, name), options.treeLimit);
        ok = WriteWhole(options.sgfOut, sgf) && ok;
    }
    if (options.svgOut != nullptr)
        ok = WriteWhole(options.svgOut, WriteSvg(problem, true)) && ok;
    return ok;
}

// A first move as the window names it, then on the file's own board in
// SGF letters: "(3,2) bc".
std::string SgfMoveName(const KovraProblem& problem, const CFirstMoveReading& reading)
{
    if (reading.candidate == kFirstMovePass)
        return FirstMoveName(reading);
    const SgfPoint p = problem.ToSource(SgfPoint{reading.column, reading.row});
    const char letters[] = {static_cast<char>('a' + p.x - 1), static_cast<char>('a' + p.y - 1), '\0'};
    return FirstMoveName(reading) + " " + letters;
}

// The problem that --sgf-out and --svg write once it is answered: with
// --all-moves, the first moves that fail come with their refutations.
void WriteWhenAnswered(ProblemSource& source, const KovraProblem& problem,
                       const SolveOptions& options)
{
    if (options.sgfOut == nullptr && options.svgOut == nullptr)
        return;
    const auto kept = std::make_shared<KeptAnswers>();
    if (options.sgfOut != nullptr)
        source.keep = [kept, problem, options](CKovraView& view, const CFirstMoveReading& reading) {
            SgfAnswer answer = ReadAnswer(view, problem, options.treeLimit, reading.candidate);
            std::lock_guard<std::mutex> lock(kept->mutex);
            kept->byCandidate[reading.candidate] = std::move(answer);
        };
    const MoveName name = source.name ? source.name : MoveName(FirstMoveName);
    source.answered = [kept, problem, options, name](const CFirstMoveCheck& check) {
        return WriteOutputs(problem, check, *kept, name, options);
    };
}

// Reads the file's game trees; empty, or why they cannot be read.
std::string ReadTrees(const char* path, const SolveOptions& options, std::vector<SgfTree>& trees)
{
    std::string text;
    std::string error;
    if (ReadWhole(path, text, error))
        error = ParseSgf(text, trees);
    if (error.empty() && trees.size() > 1 && (options.sgfOut || options.svgOut))
        error = std::to_string(trees.size()) + " problems in the file; --sgf-out and --svg take one";
    return error;
}

// Hands each problem of an SGF file, as Kovra poses it, to each with its
// label and an error (empty when posed); false when some gave an error.
template <typename Each>
bool ForEachSgfProblem(const char* path, const SolveOptions& options, Each each)
{
    std::vector<SgfTree> trees;
    const std::string unread = ReadTrees(path, options, trees);
    if (!unread.empty()) {
        each(std::string(path), unread, KovraProblem());
        return false;
    }
    PoseOptions pose;
    pose.command = options.command;
    pose.defender = options.defender;
    bool ok = true;
    for (std::size_t n = 0; n < trees.size(); ++n) {
        const std::string label =
            trees.size() == 1 ? std::string(path) : std::string(path) + "#" + std::to_string(n + 1);
        SgfSource source;
        KovraProblem problem;
        std::string error = ReadSource(trees[n], source);
        if (error.empty())
            error = PoseProblem(source, pose, problem);
        ok = error.empty() && ok;
        each(label, error, problem);
    }
    return ok;
}

}  // namespace

bool IsSgfPath(const char* path)
{
    const std::size_t n = std::strlen(path);
    return n >= 4 && strcasecmp(path + n - 4, ".sgf") == 0;
}

void LoadProblems(const SolveOptions& options, CKovraView& view, const char* path,
                  const std::function<void(ProblemSource&)>& loaded)
{
    ProblemSource source;
    if (!IsSgfPath(path)) {
        source.label = path;
        source.side = options.command == 'l' ? 'w' : 'b';
        source.error = LoadProblemFile(view, path);
        if (source.error.empty()) {
            KovraProblem problem = ProblemOfView(view);
            problem.live = source.side == 'w';
            WriteWhenAnswered(source, problem, options);
        }
        loaded(source);
        return;
    }
    ForEachSgfProblem(path, options, [&](const std::string& label, const std::string& error,
                                         const KovraProblem& problem) {
        ProblemSource one;
        one.label = label;
        one.error = error;
        if (error.empty()) {
            LoadProblem(view, problem);
            one.side = problem.live ? 'w' : 'b';
            one.name = [problem](const CFirstMoveReading& r) { return SgfMoveName(problem, r); };
            WriteWhenAnswered(one, problem, options);
        }
        loaded(one);
    });
}

bool PoseFile(CKovraView& view, const char* path, const SolveOptions& options)
{
    if (!IsSgfPath(path)) {
        const std::string error = LoadProblemFile(view, path);
        if (error.empty())
            PrintPosed(path, ProblemOfView(view));
        else
            std::printf("%s: error: %s\n", path, error.c_str());
        std::fflush(stdout);
        return error.empty();
    }
    return ForEachSgfProblem(path, options, [](const std::string& label, const std::string& error,
                                               const KovraProblem& problem) {
        if (error.empty())
            PrintPosed(label, problem);
        else
            std::printf("%s: error: %s\n", label.c_str(), error.c_str());
        std::fflush(stdout);
    });
}

void PrintPosed(const std::string& label, const KovraProblem& problem)
{
    std::printf("%s:\n%s", label.c_str(), FormatPosed(problem).c_str());
    std::fflush(stdout);
}
