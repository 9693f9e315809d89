// kovra-solve: solves problem files from the command line with the same
// engine and the same verdict texts as the desktop program, without a window.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>

#include "batch.h"
#include "board/kovra_view.h"
#include "problem_input.h"
#include "sgf/sgf_stream.h"
#include "sgf_input.h"
#include "solve_checks.h"
#include "solve_watch.h"
#include "solver/reading_pool.h"

namespace {

const char kUsage[] =
    "usage: kovra-solve [--kill | --live] [--ignore-exhaust] [--trace FILE] [--time]\n"
    "                   [--timeout SECONDS] [--all-moves] [-j N] [--sgf-out OUT.sgf]\n"
    "                   [--svg OUT.svg] [--svg-candidates] [--tree-limit N]\n"
    "                   [--sgf-style kovra|goproblems] [--pose]\n"
    "                   [--defender black|white] [--reader table|wide] [--memory MB]\n"
    "                   FILE...\n";

const char kHelp[] =
    "Solves life-and-death problems stored in Kovra's position files.\n"
    "\n"
    "Each FILE holds one problem in the program's own format, one record per\n"
    "line: \"b ROW COL\" and \"w ROW COL\" put black and white stones, \"f\", \"m\",\n"
    "\"y\" and \"z\" lines enter candidate points of that kind, and \"x ROW COL\"\n"
    "lines mark the target stones (White's; at least one is needed). The first\n"
    "target builds the groups, as a target click does in the desktop program.\n"
    "\n"
    "For every file one line is printed on standard output:\n"
    "  FILE: TEXT          TEXT is the verdict the status bar would show, e.g.\n"
    "                      \"death=12/40\": death, life, koh (ko), exhst (the\n"
    "                      54-ply limit was reached) or ? (undecided), then the\n"
    "                      positions expanded and the moves and passes played\n"
    "  FILE: error: REASON the file is missing, unreadable, a pipe, or has\n"
    "                      no targets or one that is no white stone; the other\n"
    "                      files are still solved. Lines nothing is read from\n"
    "                      are named on standard error\n"
    "\n"
    "A FILE whose name ends in \".sgf\" is read as SGF (FF[4]): each game tree's\n"
    "root node is a problem (AB/AW stones, TR or MA marks on the target stones,\n"
    "LB labels f, m, y and z as the candidates in move-list order, PL[B] \"start\n"
    "to kill\", PL[W] \"start to live\"). A file with several game trees prints\n"
    "\"FILE#N: TEXT\" for the N-th; malformed SGF gives \"FILE: error: REASON\".\n"
    "A problem without candidate labels, as collections keep them, is posed:\n"
    "the corner nearest the stones goes to the top-left, the colour enclosed by\n"
    "the other defends (when both are, the side to play attacks; as White:\n"
    "colours are swapped when Black defends), its largest group is the target\n"
    "and the points of its area are the candidates.\n"
    "Without PL the first move of the file's main line says who is to play.\n"
    "\n"
    "Options:\n"
    "  --live            \"start to live\": White moves first (the default is\n"
    "                    \"start to kill\": Black moves first on the f points)\n"
    "  --kill            \"start to kill\", also for SGF problems that say PL[W]\n"
    "  --ignore-exhaust  stop reading a position at its first exhausted line,\n"
    "                    as the desktop program's \"Ignore\" command does\n"
    "  --trace FILE      write the trace of the reading to FILE (the desktop\n"
    "                    program's db.txt); with several problem files each run\n"
    "                    rewrites it, so it keeps the last one. No trace is\n"
    "                    written without this option\n"
    "  --time            add \" (N ms)\", the time the solver command took\n"
    "  --timeout SECONDS stop a read that takes longer: \"FILE: cancelled\" (so\n"
    "                    do SIGINT and SIGTERM, which also end the program);\n"
    "                    a century or more is no limit\n"
    "  --sgf-out OUT.sgf write the one problem given as SGF with the file's own\n"
    "                    root information, the verdict in the root comment and\n"
    "                    the solution tree read from the result table (leaves\n"
    "                    say \"Correct\" or \"Wrong\", \": ko\" added where the\n"
    "                    line ends in a ko); with --all-moves also every wrong\n"
    "                    first move and its refutation\n"
    "  --sgf-style kovra|goproblems\n"
    "                    goproblems: the last move of each correct line says\n"
    "                    \"RIGHT\", as problem sites read it (default kovra)\n"
    "  --svg OUT.svg     write the one problem given as an SVG diagram on the\n"
    "                    file's board, cropped to the problem, with the verdict\n"
    "                    in its caption\n"
    "  --svg-candidates  the diagram shows the candidates' kind letters\n"
    "  --tree-limit N    at most N moves in the solution tree (default 2000,\n"
    "                    at most 100000)\n"
    "  --pose            print each problem as posed (the board with the targets\n"
    "                    as @ and the candidates as letters, their kinds, the\n"
    "                    command) instead of solving it\n"
    "  --defender black|white\n"
    "                    the colour that defends in SGF problems without marked\n"
    "                    candidates, in place of the one the stones tell; one\n"
    "                    that is not walled in is refused\n"
    "  --all-moves       after a file's line, read each first move alone (each\n"
    "                    point the command's first move may be played on, and\n"
    "                    White's pass where \"start to live\" allows it) with a\n"
    "                    fresh table: one line \"  (ROW,COL) TEXT\" (or \"  pass\n"
    "                    TEXT\") per move in list order, then \"unique: (ROW,COL)\",\n"
    "                    \"solutions: (ROW,COL) ...\" or \"no solution\". A move\n"
    "                    works when it reaches the goal (death, or life with\n"
    "                    --live), or ko when no move does; moves whose reading\n"
    "                    was exhausted follow on a line \"exhausted: ...\"\n"
    "  --reader table|wide\n"
    "                    which reader reads the problems: the table reader holds\n"
    "                    at most 15 candidates on an 11x11 board; the wide reader\n"
    "                    (exact, Go's passes and ko) any region on boards up to\n"
    "                    19x19. Without it the table reader reads every problem it\n"
    "                    holds and the wide reader the rest\n"
    "  --memory MB       the wide reader's table on each worker holds at most MB\n"
    "                    megabytes (default 256); a full table keeps the entries\n"
    "                    that took most work, it never stops a reading\n"
    "  -j N              read on N worker threads (default: one per core): the\n"
    "                    files, and the first moves of --all-moves, side by side.\n"
    "                    Each worker holds a 14.35 MB result table. The output\n"
    "                    is the same whatever N is (but for --time and what\n"
    "                    --timeout stops)\n"
    "  --help            show this text\n"
    "\n"
    "Exit status: 0 when every file was solved, 1 when some file gave an error,\n"
    "2 for a wrong command line. Also 1 when a read was cancelled or output\n"
    "was lost, 2 when memory ran out, 128 + N after signal N.\n";

struct Options {
    bool live = false;
    bool kill = false;
    bool ignoreExhaust = false;
    bool time = false;
    double timeout = 0;  // seconds; 0: none
    const char* trace = nullptr;
    SolveOptions solve;
    bool allMoves = false;
    int jobs = CReadingPool::Cores();
    std::size_t memoryMb = 256;
    std::vector<const char*> files;
};

// Every first move's tree is kept until the file is written (--all-moves),
// so the cap also bounds the memory they take.
constexpr int kMaxTreeLimit = 100000;

bool ParseTreeLimit(const char* text, int& limit)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < 0 || value > kMaxTreeLimit)
        return false;
    limit = static_cast<int>(value);
    return true;
}

constexpr int kMaxJobs = CReadingPool::kMaxWorkers;

// The wide reader's table: enough for a few thousand positions at least,
// and no more than a 64-bit machine could ask for.
constexpr int kMinMemoryMb = 1;
constexpr int kMaxMemoryMb = 1 << 20;

bool ParseMemory(const char* text, std::size_t& megabytes)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < kMinMemoryMb || value > kMaxMemoryMb)
        return false;
    megabytes = static_cast<std::size_t>(value);
    return true;
}

// The N of "-j N" or "-jN"; false when it is no number from 1 to kMaxJobs.
bool ParseJobs(const char* text, int& jobs)
{
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || text[0] < '0' || text[0] > '9' || n < 1 || n > kMaxJobs)
        return false;
    jobs = static_cast<int>(n);
    return true;
}

// The --sgf-out or --svg file that would take each problem of a
// collection in turn, or null.
const char* OneFileForMany(const Options& options)
{
    const char* file = nullptr;
    for (const char* output : {options.solve.sgfOut, options.solve.svgOut})
        if (output != nullptr && !IsDirectoryOutput(output))
            file = output;
    if (file == nullptr || options.files.size() != 1)
        return nullptr;
    // Only then is the input counted: a run without outputs reads it once.
    const InputName input = ParseInputName(options.files[0]);
    if (!input.sgf || input.problem != 0 || input.path == "-")
        return nullptr;
    std::string error;
    return CountSgfTrees(input.path.c_str(), error) > 1 ? file : nullptr;
}

// Refuses outputs that could keep the program waiting (a pipe) or
// would land in one file; returns -1 to go on, else the exit status.
int CheckOutputs(const Options& options)
{
    struct Output {
        const char* option;
        const char* path;
    };
    const Output outputs[] = {{"--trace", options.trace},
                              {"--sgf-out", options.solve.sgfOut},
                              {"--svg", options.solve.svgOut}};
    for (const Output& out : outputs) {
        if (const char* kind = OutputThatWaits(out.path)) {
            std::fprintf(stderr, "kovra-solve: error: %s %s is %s (files and devices only)\n",
                         out.option, out.path, kind);
            return 2;
        }
        if (OutputIsStandardOutput(out.path)) {
            std::fprintf(stderr, "kovra-solve: error: %s writes the file of standard output\n",
                         out.option);
            return 2;
        }
    }
    for (const Output& a : outputs)
        for (const Output* b = &a + 1; b != std::end(outputs); ++b)
            if (SameOutput(a.path, b->path)) {
                std::fprintf(stderr, "kovra-solve: error: %s and %s name the same file\n",
                             a.option, b->option);
                return 2;
            }
    return -1;
}

// Fills options from the command line; returns -1 to go on, else the exit status.
int ParseOptions(int argc, char** argv, Options& options)
{
    bool onlyFiles = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (onlyFiles || arg[0] != '-' || arg[1] == '\0') {
            options.files.push_back(arg);
        } else if (std::strcmp(arg, "--") == 0) {
            onlyFiles = true;
        } else if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kUsage, stdout);
            std::fputs("\n", stdout);
            std::fputs(kHelp, stdout);
            return OutputWritten() ? 0 : 1;
        } else if (std::strcmp(arg, "--live") == 0) {
            options.live = true;
            options.solve.goal = go::Goal::Live;
        } else if (std::strcmp(arg, "--kill") == 0) {
            options.kill = true;
            options.solve.goal = go::Goal::Kill;
        } else if (std::strcmp(arg, "--ignore-exhaust") == 0) {
            options.ignoreExhaust = true;
        } else if (std::strcmp(arg, "--time") == 0) {
            options.time = true;
        } else if (std::strcmp(arg, "--all-moves") == 0) {
            options.allMoves = true;
        } else if (std::strncmp(arg, "-j", 2) == 0) {
            const char* value = arg[2] != '\0' ? arg + 2 : i + 1 < argc ? argv[++i] : "";
            if (!ParseJobs(value, options.jobs)) {
                std::fprintf(stderr, "kovra-solve: -j needs a number from 1 to %d\n%s", kMaxJobs,
                             kUsage);
                return 2;
            }
        } else if (std::strcmp(arg, "--trace") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kovra-solve: --trace needs a file name\n%s", kUsage);
                return 2;
            }
            options.trace = argv[++i];
        } else if (std::strcmp(arg, "--timeout") == 0) {
            char* end = nullptr;
            options.timeout = i + 1 < argc ? std::strtod(argv[++i], &end) : 0;
            if (end == nullptr || *end != '\0' || !(options.timeout > 0)) {
                std::fprintf(stderr, "kovra-solve: --timeout needs a number of seconds\n%s", kUsage);
                return 2;
            }
        } else if (std::strcmp(arg, "--svg-candidates") == 0) {
            options.solve.svgCandidates = true;
        } else if (std::strcmp(arg, "--sgf-style") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : "";
            if (std::strcmp(value, "kovra") != 0 && std::strcmp(value, "goproblems") != 0) {
                std::fprintf(stderr, "kovra-solve: --sgf-style needs kovra or goproblems\n%s", kUsage);
                return 2;
            }
            options.solve.sgfStyle = value[0] == 'g' ? SgfStyle::GoProblems : SgfStyle::Kovra;
        } else if (std::strcmp(arg, "--pose") == 0) {
            options.solve.pose = true;
        } else if (std::strcmp(arg, "--reader") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : "";
            if (std::strcmp(value, "table") == 0)
                options.solve.reader = ReaderChoice::Table;
            else if (std::strcmp(value, "wide") == 0)
                options.solve.reader = ReaderChoice::Wide;
            else {
                std::fprintf(stderr, "kovra-solve: --reader needs table or wide\n%s", kUsage);
                return 2;
            }
        } else if (std::strcmp(arg, "--memory") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : "";
            if (!ParseMemory(value, options.memoryMb)) {
                std::fprintf(stderr, "kovra-solve: --memory needs megabytes from %d to %d\n%s",
                             kMinMemoryMb, kMaxMemoryMb, kUsage);
                return 2;
            }
        } else if (std::strcmp(arg, "--defender") == 0) {
            const char* value = i + 1 < argc ? argv[++i] : "";
            if (std::strcmp(value, "black") != 0 && std::strcmp(value, "white") != 0) {
                std::fprintf(stderr, "kovra-solve: --defender needs black or white\n%s", kUsage);
                return 2;
            }
            options.solve.defender = value[0] == 'b' ? go::Color::Black : go::Color::White;
        } else if (std::strcmp(arg, "--sgf-out") == 0 || std::strcmp(arg, "--svg") == 0 ||
                   std::strcmp(arg, "--tree-limit") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "kovra-solve: %s needs a value\n%s", arg, kUsage);
                return 2;
            }
            const char* value = argv[++i];
            const bool sgf = std::strcmp(arg, "--sgf-out") == 0;
            if (sgf || std::strcmp(arg, "--svg") == 0) {
                (sgf ? options.solve.sgfOut : options.solve.svgOut) = value;
                if (!options.solve.outputNames)
                    options.solve.outputNames = std::make_shared<std::set<std::string>>();
            } else if (!ParseTreeLimit(value, options.solve.treeLimit)) {
                std::fprintf(stderr, "kovra-solve: --tree-limit needs a number from 0 to %d\n%s",
                             kMaxTreeLimit, kUsage);
                return 2;
            }
        } else {
            std::fprintf(stderr, "kovra-solve: unknown option %s\n%s", arg, kUsage);
            return 2;
        }
    }
    if (options.live && options.kill) {
        std::fprintf(stderr, "kovra-solve: --kill and --live exclude each other\n%s", kUsage);
        return 2;
    }
    if ((options.solve.sgfOut || options.solve.svgOut) && options.files.size() > 1) {
        std::fprintf(stderr, "kovra-solve: --sgf-out and --svg take one problem file\n%s", kUsage);
        return 2;
    }
    if (options.files.empty()) {
        std::fprintf(stderr, "kovra-solve: no problem file given\n%s", kUsage);
        return 2;
    }
    if (OutputIsAnInput(options.trace, options.files)) {
        std::fprintf(stderr, "kovra-solve: error: the trace file is also an input\n");
        return 2;
    }
    for (const char* output : {options.solve.sgfOut, options.solve.svgOut})
        if (output != nullptr && IsDirectoryOutput(output) && ::mkdir(output, 0777) != 0 && errno != EEXIST) {
            std::fprintf(stderr, "kovra-solve: error: cannot make the directory %s: %s\n", output,
                         std::strerror(errno));
            return 2;
        }
    if (const char* output = OneFileForMany(options)) {
        std::fprintf(stderr,
                     "kovra-solve: error: %s holds one problem and %s has several: name a directory "
                     "(DIR/) for one file each, or one problem (FILE.sgf#N)\n",
                     output, options.files[0]);
        return 2;
    }
    if (OutputIsAnInput(options.solve.sgfOut, options.files) ||
        OutputIsAnInput(options.solve.svgOut, options.files)) {
        std::fprintf(stderr, "kovra-solve: error: the output file is also an input\n");
        return 2;
    }
    return CheckOutputs(options);
}

int Solve(const Options& options);

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    const int status = ParseOptions(argc, argv, options);
    if (status >= 0)
        return status;
    try {
        return Solve(options);
    } catch (const std::bad_alloc&) {
        std::fputs("kovra-solve: out of memory\n", stderr);
        return 2;
    } catch (const std::system_error& error) {  // the watching thread cannot start
        std::fprintf(stderr, "kovra-solve: %s\n", error.what());
        return 2;
    }
}

namespace {

int Solve(const Options& options)
{
    CSolveWatch watch;
    int exitStatus = 0;
    if (options.solve.pose) {
        std::unique_ptr<CKovraView> view(new CKovraView);
        for (const char* path : options.files)
            if (!PoseFile(*view, path, options.solve))
                exitStatus = 1;
    } else {
        BatchOptions batch;
        batch.ignoreExhaust = options.ignoreExhaust;
        batch.time = options.time;
        batch.allMoves = options.allMoves;
        batch.trace = options.trace;
        batch.jobs = options.jobs;
        batch.timeout = options.timeout;
        batch.wideTableBytes = options.memoryMb << 20;
        batch.cancel = &watch.CancelFlag();
        batch.files = options.files;
        const SolveOptions& solve = options.solve;
        batch.load = [&solve](CKovraView& view, const char* path, const ProblemLoaded& loaded) {
            LoadProblems(solve, view, path, loaded);
        };
        exitStatus = RunBatch(batch);
    }
    if (!OutputWritten())
        exitStatus = 1;
    return watch.Signal() != 0 ? 128 + watch.Signal() : exitStatus;
}

}  // namespace
