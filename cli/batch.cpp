#include "batch.h"

#include <chrono>
#include <cstdio>
#include <mutex>

#include "board/kovra_view.h"
#include "solver/first_moves.h"
#include "solver/reading_pool.h"

namespace {

// One problem: how it loaded, its readings, and how many of them are still
// to come.
struct FileJob {
    ProblemSource source;
    CFirstMoveReading whole;  // the command as the window runs it
    CFirstMoveCheck check;    // the first moves read alone (--all-moves)
    int remaining = 0;
};

// A reading to do: file's whole reading (move < 0) or its first move.
struct Task {
    int file;
    int move;
};

std::string TimeSuffix(const BatchOptions& options, const CFirstMoveReading& reading)
{
    if (!options.time)
        return std::string();
    return " (" + std::to_string(reading.milliseconds) + " ms)";
}

std::string Name(const FileJob& job, int reading)
{
    const CFirstMoveReading& r = job.check.readings[static_cast<std::size_t>(reading)];
    return job.source.name ? job.source.name(r) : FirstMoveName(r);
}

// The names of the readings, each after a blank.
std::string Names(const FileJob& job, const std::vector<int>& readings)
{
    std::string text;
    for (int r : readings)
        text += " " + Name(job, r);
    return text;
}

// The lines that --all-moves adds after the file's own line.
std::string FirstMoveLines(const BatchOptions& options, const FileJob& job)
{
    std::string text;
    for (std::size_t i = 0; i < job.check.readings.size(); ++i) {
        const CFirstMoveReading& r = job.check.readings[i];
        text += "  " + Name(job, static_cast<int>(i)) + " " + r.verdict + TimeSuffix(options, r) + "\n";
    }
    for (const CFirstMoveReading& r : job.check.readings)
        if (r.cancelled)  // a stopped reading leaves the outcome unknown
            return text + "cancelled\n";
    const CFirstMoveOutcome outcome = JudgeFirstMoves(job.check);
    if (outcome.solutions.empty())
        text += "no solution\n";
    else if (outcome.solutions.size() == 1)
        text += "unique:" + Names(job, outcome.solutions) + "\n";
    else
        text += "solutions:" + Names(job, outcome.solutions) + "\n";
    if (!outcome.exhausted.empty())
        text += "exhausted:" + Names(job, outcome.exhausted) + "\n";
    return text;
}

std::string FileLines(const BatchOptions& options, const FileJob& job)
{
    const std::string& label = job.source.label;
    if (!job.source.error.empty())
        return label + ": error: " + job.source.error + "\n";
    if (job.whole.cancelled)
        return label + ": cancelled\n";
    std::string text = label + ": " + job.whole.verdict + TimeSuffix(options, job.whole) + "\n";
    if (options.allMoves)
        text += FirstMoveLines(options, job);
    return text;
}

// Prints each file's lines once all its readings are done and every file
// before it is printed.
class OrderedPrinter {
public:
    OrderedPrinter(const BatchOptions& options, std::vector<FileJob>& jobs)
        : m_options(options), m_jobs(jobs)
    {
    }
    void Done(int file)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        --m_jobs[static_cast<std::size_t>(file)].remaining;
        PrintReady();
    }
    void PrintReady()
    {
        while (m_next < m_jobs.size() && m_jobs[m_next].remaining == 0) {
            std::fputs(FileLines(m_options, m_jobs[m_next]).c_str(), stdout);
            std::fflush(stdout);
            ++m_next;
        }
    }

private:
    const BatchOptions& m_options;
    std::vector<FileJob>& m_jobs;
    std::mutex m_mutex;
    std::size_t m_next = 0;
};

// Loads every problem of every file, one after another, on the pool's
// first view.
std::vector<FileJob> LoadFiles(const BatchOptions& options, CReadingPool& pool)
{
    CKovraView& view = pool.Worker(0).View();
    std::vector<FileJob> jobs;
    for (const char* path : options.files)
        options.load(view, path, [&](ProblemSource& source) {
            jobs.emplace_back();
            FileJob& job = jobs.back();
            job.source = std::move(source);
            if (!job.source.error.empty())
                return;
            view.m_exhaustCheck = options.ignoreExhaust ? 0 : 1;
            job.check = PrepareFirstMoveCheck(view, job.source.side);
            if (!options.allMoves)
                job.check.readings.clear();
            job.remaining = 1 + static_cast<int>(job.check.readings.size());
        });
    return jobs;
}

std::vector<Task> ListTasks(const std::vector<FileJob>& jobs)
{
    std::vector<Task> tasks;
    for (std::size_t f = 0; f < jobs.size(); ++f) {
        if (!jobs[f].source.error.empty())
            continue;
        const int moves = static_cast<int>(jobs[f].check.readings.size());
        for (int m = -1; m < moves; ++m)
            tasks.push_back(Task{static_cast<int>(f), m});
    }
    return tasks;
}

// The file whose whole reading writes the trace: the last one solved, as
// when the files are solved one after another and each rewrites it.
int TracedFile(const std::vector<FileJob>& jobs)
{
    for (int f = static_cast<int>(jobs.size()) - 1; f >= 0; --f)
        if (jobs[static_cast<std::size_t>(f)].source.error.empty())
            return f;
    return -1;
}

// Writes the answers of the problems whose whole reading came through;
// false when some problem gave an error or its answer could not be written.
bool Answer(std::vector<FileJob>& jobs)
{
    bool ok = true;
    for (FileJob& job : jobs) {
        if (!job.source.error.empty())
            ok = false;
        else if (job.source.answered && !job.whole.cancelled && !job.whole.traceFailed)
            ok = job.source.answered(job.check) && ok;
    }
    return ok;
}

}  // namespace

int RunBatch(const BatchOptions& options)
{
    CReadingPool pool(options.jobs);
    std::vector<FileJob> jobs = LoadFiles(options, pool);
    const std::vector<Task> tasks = ListTasks(jobs);
    const int traced = TracedFile(jobs);
    OrderedPrinter printer(options, jobs);
    printer.PrintReady();
    std::atomic<bool> failed{false};
    pool.Run(static_cast<int>(tasks.size()), [&](int t, CReadingWorker& worker) {
        const Task task = tasks[static_cast<std::size_t>(t)];
        FileJob& job = jobs[static_cast<std::size_t>(task.file)];
        const char side = job.source.side;
        CFirstMoveReading& reading =
            task.move < 0 ? job.whole : job.check.readings[static_cast<std::size_t>(task.move)];
        worker.Control().cancel = options.cancel;
        worker.Control().deadline = DeadlineAfter(options.timeout);
        if (options.cancel != nullptr && options.cancel->load()) {
            reading.cancelled = true;  // a stop signal came: nothing more is read
            reading.verdict = "cancelled";
        } else {
            ReadProblem(worker, job.check.problem, side, reading,
                        task.move < 0 && task.file == traced ? options.trace : nullptr);
        }
        const bool ok = !reading.cancelled && !reading.traceFailed;
        if (ok && job.source.keep)
            job.source.keep(worker.View(), reading);
        if (!ok)
            failed.store(true);
        printer.Done(task.file);
    });
    return Answer(jobs) && !failed.load() ? 0 : 1;
}
