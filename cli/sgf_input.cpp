#include "sgf_input.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "batch.h"
#include "board/kovra_view.h"
#include "platform/replace_file.h"
#include "problem_file.h"
#include "sgf/sgf.h"
#include "solver/first_moves.h"
#include "solver/solution_walk.h"
#include "wrong_moves.h"

namespace {

// Written through a fresh temporary file, so a failed write leaves any
// earlier file as it was.
bool WriteWhole(const char* path, const std::string& text)
{
    if (ReplaceFileWith(path, text.data(), text.size()))
        return true;
    std::fprintf(stderr, "kovra-solve: cannot write %s: %s\n", path, std::strerror(errno));
    return false;
}

// What the readings of one problem leave for its SGF, by candidate; the
// problem's readings keep theirs side by side.
struct KeptAnswers {
    std::mutex mutex;
    std::map<int, SgfAnswer> byCandidate;
};

bool WriteOutputs(const KovraProblem& problem, const CFirstMoveCheck& check,
                  const KeptAnswers& kept, const MoveName& name, const SolveOptions& options)
{
    bool ok = true;
    const auto whole = kept.byCandidate.find(kAllFirstMoves);
    const SgfAnswer answer = whole == kept.byCandidate.end() ? SgfAnswer() : whole->second;
    const go::Problem onFile = OnFileBoard(problem);
    if (options.sgfOut != nullptr) {
        SgfWriteOptions write;
        write.treeLimit = options.treeLimit;
        write.style = options.sgfStyle;
        const std::string sgf = WriteSgf(onFile, problem.info, answer,
                                         WrongFirstMoves(problem, check, kept.byCandidate, name), write);
        ok = WriteWhole(options.sgfOut, sgf) && ok;
    }
    if (options.svgOut != nullptr) {
        SvgOptions svg;
        svg.candidates = options.svgCandidates;
        ok = WriteWhole(options.svgOut, WriteSvg(onFile, answer.outcome, svg)) && ok;
    }
    return ok;
}

// A first move as the window names it, then on the file's own board in
// SGF letters: "(3,2) bc".
std::string SgfMoveName(const KovraProblem& problem, const CFirstMoveReading& reading)
{
    if (reading.candidate == kFirstMovePass)
        return FirstMoveName(reading);
    return FirstMoveName(reading) + " " + problem.SourceLetters(SgfPoint{reading.column, reading.row});
}

// The problem that --sgf-out and --svg write once it is answered: with
// --all-moves, the first moves that fail come with their refutations.
void WriteWhenAnswered(ProblemSource& source, const KovraProblem& problem,
                       const SolveOptions& options)
{
    if (options.sgfOut == nullptr && options.svgOut == nullptr)
        return;
    const auto kept = std::make_shared<KeptAnswers>();
    // The diagram alone needs only the verdict.
    const int treeLimit = options.sgfOut != nullptr ? options.treeLimit : 0;
    source.keep = [kept, problem, treeLimit](CKovraView& view, const CFirstMoveReading& reading) {
        SgfAnswer answer = ReadAnswer(view, problem, treeLimit, reading.candidate);
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
    std::string error = ReadSgfFile(path, text);
    if (error.empty())
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
