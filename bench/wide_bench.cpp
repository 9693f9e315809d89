// wide-bench: the wide reader on the example problems and the benchmark
// set, beside the table reader on the same problems: verdicts, counters,
// time, positions expanded per second and the peak memory of the process.
// Run a Release build. Arguments: problem files to read instead (kill;
// "live:FILE" to start to live); --seconds S stops each reading after S
// seconds (counted as cancelled).
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "problem_file.h"
#include "solver/run_control.h"
#include "wide/wide_reader.h"
#include "wide_problem_file.h"

namespace {

struct BenchProblem {
    std::string path;
    bool live;
    double seconds = 0;  // a deadline of its own (0: none)
};

// Enclosed big eyes (21 and 35 region points, alive whoever starts): the
// reader does not finish them yet, so each has a deadline.
constexpr double kBigEyeSeconds = 10;

std::vector<BenchProblem> DefaultProblems()
{
    const std::string examples = KOVRA_EXAMPLES;
    const std::string bench = KOVRA_BENCH_PROBLEMS;
    std::vector<BenchProblem> list;
    for (const char* name : {"corner-bent-three", "straight-three", "corner-bent-four", "ko-retake",
                             "second-line-six", "second-line-seven", "second-line-eight", "capturing-race"})
        list.push_back({examples + "/" + name + ".txt", false});
    list.push_back({examples + "/second-line-eight.txt", true});
    const std::pair<const char*, bool> set[] = {
        {"corner-14.txt", false}, {"corner-13.txt", true}, {"edge-13.txt", false}, {"corner-11.txt", false},
        {"corner-10.txt", true},  {"edge-11.txt", false},  {"edge-10.txt", true},  {"race-10.txt", false},
        {"race-10.txt", true},    {"second-line-11.txt", false}};
    for (const auto& p : set)
        list.push_back({bench + "/" + p.first, p.second});
    for (const char* name : {"big-eye-21.txt", "big-eye-35.txt"})
        for (const bool live : {false, true})
            list.push_back({bench + "/" + name, live, kBigEyeSeconds});
    return list;
}


long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

int main(int argc, char** argv)
{
    std::vector<BenchProblem> problems;
    double seconds = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
            continue;
        }
        const bool live = arg.compare(0, 5, "live:") == 0;
        problems.push_back({live ? arg.substr(5) : arg, live, 0});
    }
    if (problems.empty())
        problems = DefaultProblems();

    CStatusKeeper recorder;
    std::unique_ptr<CKovraView> view(new CKovraView);
    view->m_pStatus = &recorder;
    view->m_traceName = nullptr;
    view->m_writeSummary = false;
    go::WideReader reader(std::size_t{256} << 20);

    std::printf("%-22s %-4s %3s | %-9s %10s %10s %5s %7s %9s %10s | %-16s %9s\n", "problem", "cmd", "pts", "wide",
                "expanded", "played", "depth", "tableMB", "ms", "pos/s", "table reader", "ms");
    long long totalExpanded = 0;
    double totalMs = 0;
    int status = 0;
    for (const BenchProblem& p : problems) {
        go::Problem problem;
        const std::string error = ReadWideProblem(p.path.c_str(), p.live, problem);
        if (!error.empty()) {
            std::printf("%s: error: %s\n", p.path.c_str(), error.c_str());
            status = 1;
            continue;
        }
        auto start = std::chrono::steady_clock::now();
        CRunControl control;
        const double limit = seconds > 0 ? seconds : p.seconds;
        if (limit > 0)
            control.deadline = start + std::chrono::microseconds(static_cast<long long>(limit * 1e6));
        const go::WideReading r = reader.Read(problem, go::kNoLoc, &control);
        const double ms = MsSince(start);
        totalExpanded += r.expanded;
        totalMs += ms;

        std::string table = "-";
        double tableMs = 0;
        // The table reader holds at most 15 candidate points.
        if (problem.candidates.size() <= 15 && LoadProblemFile(*view, p.path.c_str()).empty()) {
            start = std::chrono::steady_clock::now();
            if (p.live)
                view->OnStartDef();
            else
                view->OnStartAtk();
            tableMs = MsSince(start);
            table = recorder.Last();
        }
        std::printf("%-22s %-4s %3zu | %-9s %10lld %10lld %5d %7.1f %9.1f %10.0f | %-16s %9.1f\n",
                    BaseName(p.path).c_str(), p.live ? "live" : "kill", problem.candidates.size(), go::NameOf(r.verdict),
                    static_cast<long long>(r.expanded), static_cast<long long>(r.played), r.depth,
                    r.tableBytes / 1048576.0, ms,
                    ms > 0 ? r.expanded * 1000.0 / ms : 0.0, table.c_str(), tableMs);
        std::fflush(stdout);
    }
    std::printf("wide reader: %lld positions expanded in %.1f ms, %.0f positions/s\n", totalExpanded, totalMs,
                totalMs > 0 ? totalExpanded * 1000.0 / totalMs : 0.0);
    std::printf("peak memory: %.1f MB\n", PeakMemoryKb() / 1024.0);
    return status;
}
