// kovra-bench: times the solver on a fixed set of problems with 10 to 14
// candidate points and reports the counters, the time per expanded node and
// the peak memory of the process. Run a Release build.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "board/kovra_view.h"
#include "platform/frame.h"
#include "problem_file.h"

namespace {

struct BenchProblem {
    const char* file;
    bool live;  // "start to live" instead of "start to kill"
};

const BenchProblem kProblems[] = {
    {"corner-14.txt", false},      {"corner-13.txt", true},     {"edge-13.txt", false},
    {"corner-11.txt", false},      {"corner-10.txt", true},     {"edge-11.txt", false},
    {"edge-10.txt", true},         {"race-10.txt", false},      {"race-10.txt", true},
    {"second-line-11.txt", false},
};

long PeakMemoryKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double NsPerNode(double ms, long long nodes) { return nodes > 0 ? ms * 1e6 / double(nodes) : 0.0; }

}  // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : KOVRA_BENCH_PROBLEMS;
    CStatusKeeper recorder;
    std::unique_ptr<CKovraView> view(new CKovraView);
    view->m_pStatus = &recorder;
    view->m_traceName = nullptr;
    view->m_writeSummary = false;

    std::printf("%-20s %-4s %3s %-20s %10s %10s %9s %8s\n", "problem", "cmd", "pts", "verdict",
                "nodes", "plays", "ms", "ns/node");
    long long totalNodes = 0;
    long long totalPlays = 0;
    double totalMs = 0;
    int status = 0;
    for (const BenchProblem& problem : kProblems) {
        const std::string path = dir + "/" + problem.file;
        const std::string error = LoadProblemFile(*view, path.c_str());
        if (!error.empty()) {
            std::printf("%s: error: %s\n", path.c_str(), error.c_str());
            status = 1;
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        if (problem.live)
            view->OnStartDef();
        else
            view->OnStartAtk();
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        const double ms = elapsed.count();
        std::printf("%-20s %-4s %3d %-20s %10d %10d %9.1f %8.1f\n", problem.file,
                    problem.live ? "live" : "kill", view->m_moveCount, recorder.Last(),
                    view->m_nodeCount, view->m_playCount, ms, NsPerNode(ms, view->m_nodeCount));
        totalNodes += view->m_nodeCount;
        totalPlays += view->m_playCount;
        totalMs += ms;
    }
    std::printf("%-20s %-4s %3s %-20s %10lld %10lld %9.1f %8.1f\n", "total", "", "", "", totalNodes,
                totalPlays, totalMs, NsPerNode(totalMs, totalNodes));
    std::printf("peak memory: %.1f MB\n", PeakMemoryKb() / 1024.0);
    return status;
}
