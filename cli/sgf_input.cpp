#include "sgf_input.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <vector>

#include "answer_outputs.h"
#include "batch.h"
#include "board/kovra_view.h"
#include "position_problem.h"
#include "problem_file.h"
#include "problem_input.h"
#include "sgf/sgf.h"
#include "sgf/sgf_stream.h"
#include "solver/first_moves.h"

namespace {

// Standard input is read whole up to this size (an SGF game tree's limit).
constexpr std::size_t kInputLimit = 64u << 20;

// A problem of an SGF file as posed on the file's board, with the file's
// root information; plain: posed from stones only.
struct PosedSgf {
    go::Problem problem;
    bool plain = false;
    std::vector<SgfProperty> info;
};

// A first move as the window names it, then on the file's own board in
// SGF letters: "(3,2) bc".
std::string SgfMoveName(const KovraProblem& problem, const CFirstMoveReading& reading)
{
    if (reading.IsPass())
        return FirstMoveName(reading);
    return FirstMoveName(reading) + " " +
           problem.SourceLetters(SgfPoint{go::LocX(reading.at), go::LocY(reading.at)});
}

// A first move of the wide reader, which reads on the file's own board:
// its row and column there, then its SGF letters.
std::string FileMoveName(const CFirstMoveReading& reading)
{
    if (reading.IsPass())
        return FirstMoveName(reading);
    return FirstMoveName(reading) + " " + SgfLetters(reading.at);
}

// The posed problem as the given try of more room reads it (0: as posed):
// one ring; one ring with the attacker's weak strings at the edge open to
// capture; then a second ring, and the weak strings at its edge open too.
// A ring with the frame opened reads faster than two rings, and a group
// that lives by taking a frame string seldom needs the second (measured on
// the book data: five problems more answered with the book's move, one
// fewer, which lives with two rings but reads too long with the frame
// open).
go::Problem WithRoomOfTry(const go::Problem& posed, int attempt)
{
    struct Room {
        int rings;
        bool weakFrame;
    };
    // One row per try (kMoreRoomTries of them) after the posed problem;
    // a later try reads the last again, which adds nothing.
    static constexpr Room kTries[] = {{0, false}, {1, false}, {1, true}, {2, true}};
    constexpr int kLastTry = static_cast<int>(std::size(kTries)) - 1;
    const Room& room = kTries[std::clamp(attempt, 0, kLastTry)];
    go::Problem problem = posed;
    for (int ring = 0; ring < room.rings; ++ring) {
        problem = WithMoreRoom(problem);
        if (room.weakFrame)
            problem = WithWeakFrameOpen(problem);
    }
    return problem;
}

// A posed problem with more room for the wide reader (see ProblemSource::widen).
bool WidenPosed(ProblemSource& wider, const PosedSgf& posed, int attempt, const SolveOptions& options)
{
    go::Problem problem = WithRoomOfTry(posed.problem, attempt);
    const bool added = !go::SameProblem(problem, WithRoomOfTry(posed.problem, attempt - 1));
    wider.goal = problem.FirstGoal();
    wider.wide = true;
    wider.problem = std::move(problem);
    wider.name = FileMoveName;
    WriteWideAnswers(wider, posed.info, options);
    return added;
}

// Gives an SGF problem to the reader that reads it: the table reader when
// it holds it (the view holds it then), else the wide reader on the
// file's own board; --reader table refuses what the table cannot hold.
void ChooseReader(ProblemSource& source, CKovraView& view, const PosedSgf& posed,
                  const SolveOptions& options)
{
    source.goal = posed.problem.FirstGoal();
    if (posed.plain && options.reader != ReaderChoice::Table)
        source.widen = [posed, options](ProblemSource& wider, int attempt) {
            return WidenPosed(wider, posed, attempt, options);
        };
    if (options.reader != ReaderChoice::Wide) {
        KovraProblem table;
        const std::string fit = ToTableProblem(posed.problem, posed.plain, table);
        if (fit.empty()) {
            table.info = posed.info;
            LoadProblem(view, table);
            source.name = [table](const CFirstMoveReading& r) { return SgfMoveName(table, r); };
            WriteTableAnswers(source, table, options);
            return;
        }
        if (options.reader == ReaderChoice::Table) {
            source.error = fit;
            return;
        }
    }
    source.wide = true;
    source.problem = posed.problem;
    source.name = FileMoveName;
    WriteWideAnswers(source, posed.info, options);
}

// The wide reader reads the position file, which takes every candidate.
bool TakesAllCandidates(const std::string& text, const SolveOptions& options)
{
    return options.reader == ReaderChoice::Wide ||
           (options.reader == ReaderChoice::Auto && CandidateRecords(text) > kMaxMoves);
}

// A position file's problem: the table reader holds its first 15 candidate
// records, the wide reader all of them.
void ChoosePositionReader(ProblemSource& source, const CKovraView& view, const std::string& text,
                          const SolveOptions& options)
{
    KovraProblem problem = ProblemOfView(view);
    problem.live = source.goal == go::Goal::Live;
    const int candidates = CandidateRecords(text);
    if (options.reader == ReaderChoice::Table && candidates > kMaxMoves) {
        source.error = std::to_string(candidates) + " candidate points; the table reader holds " +
                       std::to_string(kMaxMoves);
        return;
    }
    if (TakesAllCandidates(text, options)) {
        source.wide = true;
        source.problem = PositionProblem(view, text, problem.live);
        WriteWideAnswers(source, {}, options);
        return;
    }
    WriteTableAnswers(source, problem, options);
}

// The game trees of an SGF input, one at a time, with their labels: "FILE"
// for a file of one tree, "FILE#N" for the N-th of several, and the
// argument itself for the one problem FILE.sgf#N names.
class SgfInput {
public:
    // text: standard input's text, for "-".
    std::string Open(const InputName& input, std::string text)
    {
        m_input = input;
        std::string error = Reopen(text);
        if (!error.empty())
            return error;
        if (input.problem == 0) {
            // Labels need the number of trees: counted first, kept nowhere.
            m_count = CountSgfTrees(*m_reader, error);
            if (m_count > 1)
                error.clear();  // the tree that fails gets its own line
            return error.empty() ? Reopen(text) : error;
        }
        for (std::size_t n = 1; n < input.problem; ++n) {
            if (!m_reader->Skip(error))
                return error.empty() ? "no problem " + std::to_string(input.problem) +
                                           " (the file holds " + std::to_string(n - 1) + ")"
                                     : error;
        }
        m_number = input.problem - 1;
        m_count = 1;
        return std::string();
    }

    // The next tree with its label; false at the end (error set when the
    // text is not SGF there).
    bool Next(SgfTree& tree, std::string& label, std::string& error)
    {
        if (m_input.problem != 0 && m_number >= m_input.problem)
            return false;
        ++m_number;
        label = m_input.problem != 0 || m_count <= 1
                    ? m_input.label
                    : m_input.label + "#" + std::to_string(m_number);
        if (m_reader->Next(tree, error))
            return true;
        if (error.empty() && m_input.problem != 0)
            error = "no problem " + std::to_string(m_input.problem) + " (the file holds " +
                    std::to_string(m_number - 1) + ")";
        return false;
    }

private:
    std::string Reopen(const std::string& text)
    {
        m_reader.reset(new SgfTreeReader);
        return m_input.path == "-" ? m_reader->OpenText(text) : m_reader->Open(m_input.path.c_str());
    }

    InputName m_input;
    std::unique_ptr<SgfTreeReader> m_reader;
    std::size_t m_count = 0;
    std::size_t m_number = 0;
};

// Hands each problem of an SGF input, as Kovra poses it, to each with its
// label and an error (empty when posed); false when some gave an error.
template <typename Each>
bool ForEachSgfProblem(const InputName& input, std::string text, const SolveOptions& options,
                       Each each)
{
    SgfInput trees;
    const std::string unread = trees.Open(input, std::move(text));
    if (!unread.empty()) {
        each(input.label, unread, PosedSgf());
        return false;
    }
    // each returns false to stop reading (PoseFile's always goes on).
    PoseOptions pose;
    pose.goal = options.goal;
    pose.defender = options.defender;
    bool ok = true;
    SgfTree tree;
    std::string label, broken;
    while (trees.Next(tree, label, broken)) {
        SgfSource source;
        PosedSgf posed;
        std::string error = ReadSource(tree, source);
        if (error.empty())
            error = PoseOnBoard(source, pose, posed.problem);
        posed.plain = source.candidates.empty();
        posed.info = source.info;
        ok = error.empty() && ok;
        if (!each(label, error, posed))
            return ok;
    }
    if (!broken.empty()) {  // the text stops being SGF: nothing after it is read
        each(label, broken, PosedSgf());
        ok = false;
    }
    return ok;
}

// Reads what the input names before anything is opened: standard input
// whole (SGF or a position file by its first character); error: why not.
std::string Prepare(InputName& input, std::string& text)
{
    std::string error = RefuseInput(input);
    if (error.empty() && input.path == "-") {
        error = ReadStandardInput(text, kInputLimit);
        input.sgf = LooksLikeSgf(text);
    }
    return error;
}

}  // namespace

void LoadProblems(const SolveOptions& options, CKovraView& view, const char* path,
                  const std::function<bool(ProblemSource&)>& loaded)
{
    InputName input = ParseInputName(path);
    std::string text;
    ProblemSource source;
    source.label = input.label;
    source.error = Prepare(input, text);
    if (!source.error.empty() || !input.sgf) {
        source.goal = options.goal.value_or(go::Goal::Kill);
        if (source.error.empty() && input.path != "-")
            source.error = ReadProblemFile(input.path.c_str(), text);
        if (source.error.empty())
            source.error = LoadProblemText(view, text, input.label.c_str(), TakesAllCandidates(text, options));
        if (source.error.empty())
            ChoosePositionReader(source, view, text, options);
        loaded(source);
        return;
    }
    ForEachSgfProblem(input, std::move(text), options,
                      [&](const std::string& label, const std::string& error, const PosedSgf& posed) {
                          ProblemSource one;
                          one.label = label;
                          one.error = error;
                          if (error.empty())
                              ChooseReader(one, view, posed, options);
                          return loaded(one);
                      });
}

bool PoseFile(CKovraView& view, const char* path, const SolveOptions& options)
{
    InputName input = ParseInputName(path);
    std::string text;
    std::string error = Prepare(input, text);
    if (!error.empty() || !input.sgf) {
        if (error.empty())
            error = input.path == "-" ? LoadProblemText(view, text, "-", false)
                                      : LoadProblemFile(view, input.path.c_str());
        if (error.empty())
            PrintPosed(input.label, OnFileBoard(ProblemOfView(view)));
        else
            std::printf("%s: error: %s\n", input.label.c_str(), error.c_str());
        std::fflush(stdout);
        return error.empty();
    }
    return ForEachSgfProblem(input, std::move(text), options,
                             [](const std::string& label, const std::string& error, const PosedSgf& posed) {
                                 if (error.empty())
                                     PrintPosed(label, posed.problem);
                                 else
                                     std::printf("%s: error: %s\n", label.c_str(), error.c_str());
                                 std::fflush(stdout);
                                 return true;
                             });
}

void PrintPosed(const std::string& label, const go::Problem& problem)
{
    std::printf("%s:\n%s", label.c_str(), FormatPosed(problem).c_str());
    std::fflush(stdout);
}
