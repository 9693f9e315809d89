// kovra-solve: solves problem files from the command line with the same
// engine and the same verdict texts as the desktop program, without a window.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "batch.h"
#include "solver/reading_pool.h"

namespace {

const char kUsage[] =
    "usage: kovra-solve [--live] [--ignore-exhaust] [--trace FILE] [--time] [--all-moves]\n"
    "                   [-j N] FILE...\n";

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
    "  FILE: error: REASON the file is missing, unreadable or has no targets;\n"
    "                      the other files are still solved\n"
    "\n"
    "Options:\n"
    "  --live            \"start to live\": White moves first (the default is\n"
    "                    \"start to kill\": Black moves first on the f points)\n"
    "  --ignore-exhaust  stop reading a position at its first exhausted line,\n"
    "                    as the desktop program's \"Ignore\" command does\n"
    "  --trace FILE      write the trace of the reading to FILE (the desktop\n"
    "                    program's db.txt); with several problem files each run\n"
    "                    rewrites it, so it keeps the last one. No trace is\n"
    "                    written without this option\n"
    "  --time            add \" (N ms)\", the time the solver command took\n"
    "  --all-moves       after a file's line, read each first move alone (each\n"
    "                    point the command's first move may be played on, and\n"
    "                    White's pass where \"start to live\" allows it) with a\n"
    "                    fresh table: one line \"  (ROW,COL) TEXT\" (or \"  pass\n"
    "                    TEXT\") per move in list order, then \"unique: (ROW,COL)\",\n"
    "                    \"solutions: (ROW,COL) ...\" or \"no solution\". A move\n"
    "                    works when it reaches the goal (death, or life with\n"
    "                    --live), or ko when no move does; moves whose reading\n"
    "                    was exhausted follow on a line \"exhausted: ...\"\n"
    "  -j N              read on N worker threads (default: one per core): the\n"
    "                    files, and the first moves of --all-moves, side by side.\n"
    "                    Each worker holds a 14.35 MB result table. The output\n"
    "                    is the same whatever N is\n"
    "  --help            show this text\n"
    "\n"
    "Exit status: 0 when every file was solved, 1 when some file gave an error,\n"
    "2 for a wrong command line.\n";

struct Options {
    bool live = false;
    bool ignoreExhaust = false;
    bool time = false;
    const char* trace = nullptr;
    bool allMoves = false;
    int jobs = CReadingPool::Cores();
    std::vector<const char*> files;
};

constexpr int kMaxJobs = 64;

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
            return 0;
        } else if (std::strcmp(arg, "--live") == 0) {
            options.live = true;
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
        } else {
            std::fprintf(stderr, "kovra-solve: unknown option %s\n%s", arg, kUsage);
            return 2;
        }
    }
    if (options.files.empty()) {
        std::fprintf(stderr, "kovra-solve: no problem file given\n%s", kUsage);
        return 2;
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    const int status = ParseOptions(argc, argv, options);
    if (status >= 0)
        return status;

    BatchOptions batch;
    batch.side = options.live ? 'w' : 'b';
    batch.ignoreExhaust = options.ignoreExhaust;
    batch.time = options.time;
    batch.allMoves = options.allMoves;
    batch.trace = options.trace;
    batch.jobs = options.jobs;
    batch.files = options.files;
    return RunBatch(batch);
}
