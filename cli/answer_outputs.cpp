#include "answer_outputs.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>

#include "batch.h"
#include "platform/replace_file.h"
#include "sgf/sgf.h"
#include "solve_checks.h"
#include "solver/first_moves.h"
#include "solver/reading_pool.h"
#include "solver/solution_walk.h"
#include "wide/wide_reader.h"
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

// A problem's file name in an output directory: its GN with the characters
// a file name should not hold replaced by '_', else its number in the
// file ("3" for FILE#3, "1" for a file of one problem); a name a problem
// of this run took already gets "-N" (its number) added.
std::string ProblemFileName(const std::string& label, const std::vector<SgfProperty>& info,
                            std::set<std::string>& used)
{
    const std::size_t hash = label.rfind('#');
    const std::string number = hash == std::string::npos ? "1" : label.substr(hash + 1);
    std::string name;
    for (const SgfProperty& p : info)
        if (p.id == "GN" && !p.values.empty())
            for (char c : p.values[0].substr(0, 100))
                name += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '_';
    if (name.empty())
        name = number;
    if (!used.insert(name).second) {
        name += "-" + number;
        used.insert(name);
    }
    return name;
}

// Where one problem's output goes: the path given, or a file of the
// directory it names.
std::string OutputPath(const char* path, const std::string& file, const char* extension)
{
    if (!IsDirectoryOutput(path))
        return path;
    std::string dir = path;
    if (dir.back() != '/')
        dir += '/';
    return dir + file + extension;
}

// What the readings of one problem leave for its outputs, by candidate;
// the problem's readings keep theirs side by side.
struct KeptAnswers {
    std::mutex mutex;
    std::map<int, SgfAnswer> byCandidate;
    void Keep(int candidate, SgfAnswer answer)
    {
        std::lock_guard<std::mutex> lock(mutex);
        byCandidate[candidate] = std::move(answer);
    }
};

// The problem on the file's board with what writing it needs.
struct Written {
    go::Problem problem;
    std::vector<SgfProperty> info;
    std::string fileName;  // its name in an output directory
    FirstMoveOf firstMove;
    MoveName name;
};

bool WriteOutputs(const Written& written, const CFirstMoveCheck& check, const KeptAnswers& kept,
                  const SolveOptions& options)
{
    bool ok = true;
    const auto whole = kept.byCandidate.find(kAllFirstMoves);
    const SgfAnswer answer = whole == kept.byCandidate.end() ? SgfAnswer() : whole->second;
    if (options.sgfOut != nullptr) {
        SgfWriteOptions write;
        write.treeLimit = options.treeLimit;
        write.style = options.sgfStyle;
        const std::string sgf =
            WriteSgf(written.problem, written.info, answer,
                     WrongFirstMoves(written.firstMove, check, kept.byCandidate, written.name), write);
        ok = WriteWhole(OutputPath(options.sgfOut, written.fileName, ".sgf").c_str(), sgf) && ok;
    }
    if (options.svgOut != nullptr) {
        SvgOptions svg;
        svg.candidates = options.svgCandidates;
        ok = WriteWhole(OutputPath(options.svgOut, written.fileName, ".svg").c_str(),
                        WriteSvg(written.problem, answer.outcome, svg)) &&
             ok;
    }
    return ok;
}

// The answers are written once every reading is done.
void WriteWhenDone(ProblemSource& source, std::shared_ptr<KeptAnswers> kept, Written written,
                   const SolveOptions& options)
{
    written.name = source.name ? source.name : MoveName(FirstMoveName);
    if (options.outputNames)
        written.fileName = ProblemFileName(source.label, written.info, *options.outputNames);
    source.answered = [kept, written, options](const CFirstMoveCheck& check) {
        return WriteOutputs(written, check, *kept, options);
    };
}

// The tree limit of the kept answers: the diagram alone needs only the verdict.
int TreeLimit(const SolveOptions& options)
{
    return options.sgfOut != nullptr ? options.treeLimit : 0;
}

go::Verdict VerdictOf(int code)
{
    switch (code) {
    case kDeath: return go::Verdict::Death;
    case kLife: return go::Verdict::Life;
    case kKo: return go::Verdict::Ko;
    default: return go::Verdict::Undecided;
    }
}

// A wide reading's answer: the verdict in words with its counters, and the
// solution tree its reader still holds.
SgfAnswer WideAnswer(go::WideReader& reader, const go::Problem& problem,
                     const CFirstMoveReading& reading, int treeLimit)
{
    SgfAnswer answer;
    answer.outcome = VerdictOf(reading.result);
    answer.decided = answer.outcome != go::Verdict::Undecided;
    const std::size_t eq = reading.verdict.find('=');
    const std::size_t slash = reading.verdict.find('/');
    const std::string nodes = reading.verdict.substr(eq + 1, slash - eq - 1);
    const std::string plays = reading.verdict.substr(slash + 1);
    answer.verdict = VerdictWords(problem, answer.outcome) + " Kovra: " + reading.verdict + " (" +
                     nodes + " positions expanded, " + plays + " moves and passes played).";
    if (answer.decided && treeLimit > 0)
        answer.tree = reader.SolutionTree(treeLimit, answer.cut);
    return answer;
}

}  // namespace

void WriteTableAnswers(ProblemSource& source, const KovraProblem& problem,
                       const SolveOptions& options)
{
    if (options.sgfOut == nullptr && options.svgOut == nullptr)
        return;
    const auto kept = std::make_shared<KeptAnswers>();
    const int treeLimit = TreeLimit(options);
    source.keep = [kept, problem, treeLimit](BatchWorker& worker, const CFirstMoveReading& reading) {
        kept->Keep(reading.candidate,
                   ReadAnswer(worker.Table().View(), problem, treeLimit, reading.candidate));
    };
    Written written;
    written.problem = OnFileBoard(problem);
    written.info = problem.info;
    written.firstMove = [problem](const CFirstMoveReading& reading) {
        go::TreeMove move;
        move.player = problem.FilePlayer(problem.First());
        if (!reading.IsPass())
            move.at = problem.FileLoc(SgfPoint{go::LocX(reading.at), go::LocY(reading.at)});
        return move;
    };
    WriteWhenDone(source, kept, std::move(written), options);
}

void WriteWideAnswers(ProblemSource& source, const std::vector<SgfProperty>& info,
                      const SolveOptions& options)
{
    if (options.sgfOut == nullptr && options.svgOut == nullptr)
        return;
    const auto kept = std::make_shared<KeptAnswers>();
    const int treeLimit = TreeLimit(options);
    const go::Problem problem = source.problem;
    source.keep = [kept, problem, treeLimit](BatchWorker& worker, const CFirstMoveReading& reading) {
        kept->Keep(reading.candidate, WideAnswer(worker.Wide(), problem, reading, treeLimit));
    };
    Written written;
    written.problem = problem;
    written.info = info;
    written.firstMove = [problem](const CFirstMoveReading& reading) {
        go::TreeMove move;
        move.player = problem.first;
        move.at = reading.at;  // the wide reader reads on the file's board
        return move;
    };
    WriteWhenDone(source, kept, std::move(written), options);
}
