#include "sgf_input.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include <strings.h>

#include "board/kovra_view.h"
#include "sgf/sgf.h"
#include "solve_watch.h"
#include "status_recorder.h"

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

bool WriteWhole(const char* path, const std::string& text)
{
    std::FILE* file = std::fopen(path, "wb");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr)
        written = std::fclose(file) == 0 && written;
    if (!written)
        std::fprintf(stderr, "kovra-solve: cannot write %s: %s\n", path, std::strerror(errno));
    return written;
}

bool WriteOutputs(CKovraView& view, const KovraProblem& problem, const SolveOptions& options)
{
    bool ok = true;
    if (options.sgfOut != nullptr)
        ok = WriteWhole(options.sgfOut, WriteSgf(view, problem, options.treeLimit)) && ok;
    if (options.svgOut != nullptr)
        ok = WriteWhole(options.svgOut, WriteSvg(problem, true)) && ok;
    return ok;
}

}  // namespace

bool IsSgfPath(const char* path)
{
    const std::size_t n = std::strlen(path);
    return n >= 4 && strcasecmp(path + n - 4, ".sgf") == 0;
}

bool SolveAndPrint(CKovraView& view, const StatusRecorder& recorder, const std::string& label,
                   bool live, const SolveOptions& options)
{
    view.m_exhaustCheck = options.ignoreExhaust ? 0 : 1;
    const auto start = std::chrono::steady_clock::now();
    if (options.watch != nullptr)
        options.watch->StartRead(options.timeout);
    if (live)
        view.OnStartDef();
    else
        view.OnStartAtk();
    if (options.watch != nullptr)
        options.watch->EndRead();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (view.m_runCancelled)
        std::printf("%s: cancelled\n", label.c_str());
    else if (options.time)
        std::printf("%s: %s (%lld ms)\n", label.c_str(), recorder.Last(),
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    else
        std::printf("%s: %s\n", label.c_str(), recorder.Last());
    std::fflush(stdout);
    return !view.m_runCancelled && !view.m_traceFailed;
}

void PrintPosed(const std::string& label, const KovraProblem& problem)
{
    std::printf("%s:\n%s", label.c_str(), FormatPosed(problem).c_str());
    std::fflush(stdout);
}

bool SolveSgfFile(CKovraView& view, const StatusRecorder& recorder, const char* path,
                  const SolveOptions& options)
{
    std::string text;
    std::string error;
    std::vector<SgfTree> trees;
    if (ReadWhole(path, text, error))
        error = ParseSgf(text, trees);
    if (error.empty() && trees.size() > 1 && (options.sgfOut || options.svgOut))
        error = std::to_string(trees.size()) + " problems in the file; --sgf-out and --svg take one";
    if (!error.empty()) {
        std::printf("%s: error: %s\n", path, error.c_str());
        std::fflush(stdout);
        return false;
    }
    bool ok = true;
    PoseOptions pose;
    pose.command = options.command;
    pose.defender = options.defender;
    for (std::size_t n = 0; n < trees.size(); ++n) {
        const std::string label =
            trees.size() == 1 ? std::string(path) : std::string(path) + "#" + std::to_string(n + 1);
        SgfSource source;
        KovraProblem problem;
        error = ReadSource(trees[n], source);
        if (error.empty())
            error = PoseProblem(source, pose, problem);
        if (!error.empty()) {
            std::printf("%s: error: %s\n", label.c_str(), error.c_str());
            std::fflush(stdout);
            ok = false;
            continue;
        }
        if (options.pose) {
            PrintPosed(label, problem);
            continue;
        }
        LoadProblem(view, problem);
        ok = SolveAndPrint(view, recorder, label, problem.live, options) && ok;
        ok = WriteOutputs(view, problem, options) && ok;
        if (options.watch != nullptr && options.watch->Signal() != 0)
            break;
    }
    return ok;
}

bool WriteViewOutputs(CKovraView& view, const SolveOptions& options)
{
    if (options.sgfOut == nullptr && options.svgOut == nullptr)
        return true;
    return WriteOutputs(view, ProblemOfView(view), options);
}
