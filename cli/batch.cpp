#include "batch.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

#include "board/kovra_view.h"
#include "solver/first_moves.h"
#include "solver/reading_pool.h"
#include "wide/wide_reader.h"

BatchWorker::BatchWorker(std::size_t wideTableBytes) : m_wideTableBytes(wideTableBytes) {}
BatchWorker::~BatchWorker() = default;

CReadingWorker& BatchWorker::Table()
{
    if (!m_table)
        m_table.reset(new CReadingWorker);
    return *m_table;
}

go::WideReader& BatchWorker::Wide()
{
    if (!m_wide)
        m_wide.reset(new go::WideReader(m_wideTableBytes));
    return *m_wide;
}

void BatchWorker::SwapWide()
{
    m_wide.swap(m_spareWide);
}

go::WideReader& BatchWorker::SpareWide()
{
    if (!m_spareWide)
        m_spareWide.reset(new go::WideReader(m_wideTableBytes));
    return *m_spareWide;
}

std::string VerdictText(int code, long long expanded, long long played)
{
    const char* word = code == kDeath ? "death" : code == kLife ? "life" : code == kKo ? "koh"
                     : code == kExhausted ? "exhst" : "?";
    return std::string(word) + "=" + std::to_string(expanded) + "/" + std::to_string(played);
}

namespace {

// One problem: how it loaded, its readings, and how many are still to come.
struct FileJob {
    ProblemSource source;
    CFirstMoveReading whole;  // the command as the window runs it
    CFirstMoveCheck check;    // the first moves read alone (--all-moves)
    std::string trace;        // where its whole reading writes the trace; empty: none
    int remaining = 0;
};

// A reading to do: a problem's whole reading (kWholeReading), one first
// move, or all of them in turn (kAllReadings).
struct Task {
    FileJob* job;
    int move;
};
constexpr int kWholeReading = -1;
constexpr int kAllReadings = -2;

// How many problems may be loaded and not yet printed: enough that one
// long reading does not keep the other workers waiting for the problems
// after it, a few megabytes at most.
constexpr int kHeldProblems = 64;

// How many tries of more room a posed problem may be given for a second
// reading: one ring, one ring with the attacker's weak strings at the edge
// open to capture, then two rings with them open.
constexpr int kMoreRoomTries = 3;
// The share of the time limit each try of more room adds to the tries'
// time, and the share a try after one the limit stopped may take.
constexpr double kMoreRoomShare = 0.1;
constexpr double kMoreRoomShareAfterStop = 0.025;

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

// Success, ko or failure of a result code for the side's goal; 0 when the
// code decides nothing.
int Outcome(go::Goal goal, int code)
{
    if (code == (goal == go::Goal::Live ? kLife : kDeath))
        return 1;
    if (code == kKo)
        return 2;
    if (code == kLife || code == kDeath)
        return 3;
    return 0;
}

// Outcome of a reading's result code; "start to kill" shows a refuted
// last attack as life.
int OutcomeOf(go::Goal goal, int code)
{
    return Outcome(goal, code == kIllegal && goal == go::Goal::Kill ? kLife : code);
}

// The table reader's whole reading reuses stored results across first
// moves, so it may judge the problem otherwise than its first moves read
// alone do; true when both came to a verdict and they differ.
bool WholeDiffers(const FileJob& job)
{
    const go::Goal goal = job.check.goal;
    int best = 3;
    for (const CFirstMoveReading& r : job.check.readings) {
        const int o = OutcomeOf(goal, r.result);
        if (o == 0)
            return false;
        best = std::min(best, o);
    }
    const int whole = OutcomeOf(goal, job.whole.result);
    return whole != 0 && !job.check.readings.empty() && whole != best;
}

// The lines that --all-moves adds after the problem's own line.
std::string FirstMoveLines(const BatchOptions& options, const FileJob& job)
{
    std::string text;
    for (std::size_t i = 0; i < job.check.readings.size(); ++i) {
        const CFirstMoveReading& r = job.check.readings[i];
        text += "  " + Name(job, static_cast<int>(i)) + " " + r.verdict + TimeSuffix(options, r) + "\n";
    }
    const CFirstMoveOutcome outcome = JudgeFirstMoves(job.check);
    if (!outcome.cancelled.empty()) {
        // The moves proven to work still do; nothing more is known.
        if (outcome.solutions.empty())
            return text + "cancelled\n";
        return text + "solutions:" + Names(job, outcome.solutions) + "\n" + "cancelled:" +
               Names(job, outcome.cancelled) + "\n";
    }
    if (outcome.solutions.empty())
        text += "no solution\n";
    else if (outcome.solutions.size() == 1)
        text += "unique:" + Names(job, outcome.solutions) + "\n";
    else
        text += "solutions:" + Names(job, outcome.solutions) + "\n";
    if (!outcome.exhausted.empty())
        text += "exhausted:" + Names(job, outcome.exhausted) + "\n";
    if (!job.source.wide && WholeDiffers(job))
        text += "note: the whole reading and the first moves read alone differ\n";
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

// The result code of a wide reading, as the table reader would give it.
int CodeOf(go::Verdict verdict)
{
    switch (verdict) {
    case go::Verdict::Death: return kDeath;
    case go::Verdict::Life: return kLife;
    case go::Verdict::Ko: return kKo;
    case go::Verdict::Exhausted: return kExhausted;
    default: return kUndecided;
    }
}

// The wide reader on the job's problem: the whole of it, or the reading's
// first move alone. A reading taken up again after a stop adds to its time
// and counters.
void ReadWide(BatchWorker& worker, const FileJob& job, CFirstMoveReading& reading)
{
    const auto start = std::chrono::steady_clock::now();
    const go::WideReading r = worker.Wide().Read(job.source.problem, reading.at, &worker.WideControl());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    reading.milliseconds += std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    reading.cancelled = r.verdict == go::Verdict::Cancelled;
    reading.promising = r.promising;
    reading.result = CodeOf(r.verdict);
    reading.expanded += r.expanded;
    reading.played += r.played;
    reading.verdict =
        reading.cancelled ? "cancelled" : VerdictText(reading.result, reading.expanded, reading.played);
}

// The trace of one problem's whole reading goes to a file of its own beside
// the trace file; when the problem's lines are printed, in file order, it
// replaces the trace file, which so ends with the last problem's trace. A
// device (/dev/null) is written directly.
class TraceFiles {
public:
    explicit TraceFiles(const char* path) : m_path(path != nullptr ? path : "")
    {
        struct stat s;
        m_direct = !m_path.empty() && ::stat(path, &s) == 0 && !S_ISREG(s.st_mode);
    }
    // Where problem n's whole reading writes its trace ("" for none).
    std::string For(std::size_t n) const
    {
        if (m_path.empty() || m_direct)
            return m_path;
        return m_path + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(n);
    }
    // Puts a problem's trace in place, once its lines are out.
    void Publish(const std::string& part) const
    {
        if (part.empty() || part == m_path)
            return;
        struct stat old;
        if (::stat(m_path.c_str(), &old) == 0)
            ::chmod(part.c_str(), old.st_mode & 07777);
        if (std::rename(part.c_str(), m_path.c_str()) != 0)
            std::remove(part.c_str());
    }

private:
    std::string m_path;
    bool m_direct = false;
};

class Batch {
public:
    explicit Batch(const BatchOptions& options)
        : m_options(options), m_traces(options.trace),
          m_window(static_cast<std::size_t>(std::max(kHeldProblems, 2 * options.jobs)))
    {
    }

    int Run()
    {
        std::vector<std::unique_ptr<BatchWorker>> workers;
        std::vector<std::thread> threads;
        for (int w = 0; w < std::max(1, m_options.jobs); ++w) {
            workers.emplace_back(new BatchWorker(m_options.wideTableBytes));
            try {
                // The worker itself, not its place in the vector: the next
                // worker's emplace may move the vector's buffer while this
                // thread starts.
                BatchWorker* worker = workers.back().get();
                threads.emplace_back([this, worker] { Work(*worker); });
            } catch (const std::system_error&) {
                // The threads there are do the work; with none, the loading
                // thread reads each problem as soon as it is loaded.
                if (!threads.empty())
                    workers.pop_back();
                else
                    m_inline = workers.back().get();
                break;
            }
        }
        try {
            Load();
        } catch (...) {
            Stop(std::current_exception());
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_loaded = true;
        }
        m_wake.notify_all();
        for (std::thread& t : threads)
            t.join();
        if (m_failure)
            std::rethrow_exception(m_failure);
        return m_failed ? 1 : 0;
    }

private:
    // Loads the problems one after another on a view of its own; waits
    // while the window of problems not yet printed is full.
    void Load()
    {
        std::unique_ptr<CKovraView> view(new CKovraView);
        for (const char* path : m_options.files) {
            if (Cancelled()) {  // a stop signal came: the files left are not read
                ProblemSource source;
                source.label = path;
                Add(*view, source, true);
                continue;
            }
            m_options.load(*view, path, [&](ProblemSource& source) {
                return Add(*view, source, false) && !Cancelled();
            });
            if (Stopped())
                return;
        }
    }

    bool Cancelled() const { return m_options.cancel != nullptr && m_options.cancel->load(); }

    // Takes a loaded problem into the window (a problem not read at all
    // when cancelled); false when the batch stopped.
    bool Add(CKovraView& view, ProblemSource& source, bool cancelled)
    {
        std::unique_ptr<FileJob> job(new FileJob);
        job->source = std::move(source);
        job->whole.cancelled = cancelled;
        if (job->source.error.empty() && !cancelled)
            Prepare(view, *job);
        std::unique_lock<std::mutex> lock(m_mutex);
        m_roomLeft.wait(lock, [&] { return m_jobs.size() < m_window || m_stop; });
        if (m_stop)
            return false;
        FileJob* added = job.get();
        m_jobs.push_back(std::move(job));
        if (!added->source.error.empty() || cancelled) {
            m_failed = true;
            PrintReady();
            return true;
        }
        if (!added->source.wide)
            added->trace = m_traces.For(m_count++);
        // The wide reader reads a problem's first moves on after its whole
        // reading with the table it filled, in one task: what the table
        // holds then, and so the counters, do not depend on the workers. A
        // posed problem is one task too: its whole reading decides whether
        // the first moves are those of the problem with more room.
        const int readings = static_cast<int>(added->check.readings.size());
        const bool oneTask = added->source.wide || added->source.widen;
        added->remaining = oneTask ? 1 : 1 + readings;
        if (oneTask)
            m_tasks.push_back(Task{added, kAllReadings});
        else
            for (int m = kWholeReading; m < readings; ++m)
                m_tasks.push_back(Task{added, m});
        m_wake.notify_all();
        if (m_inline != nullptr) {
            lock.unlock();
            Drain(*m_inline);
        }
        return true;
    }

    // Reads every task there is on this thread (no reading thread started).
    void Drain(BatchWorker& worker)
    {
        for (;;) {
            Task task{nullptr, 0};
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_stop || m_tasks.empty())
                    return;
                task = m_tasks.front();
                m_tasks.pop_front();
            }
            Read(task, worker);
            std::lock_guard<std::mutex> lock(m_mutex);
            --task.job->remaining;
            PrintReady();
        }
    }

    // The readings of a loaded problem: the whole one, and with --all-moves
    // each first move alone.
    void Prepare(CKovraView& view, FileJob& job)
    {
        if (!job.source.wide) {
            view.m_exhaustCheck = m_options.ignoreExhaust ? 0 : 1;
            job.check = PrepareFirstMoveCheck(view, job.source.goal);
            if (!m_options.allMoves)
                job.check.readings.clear();
        } else {
            PrepareWide(job);
        }
    }

    void PrepareWide(FileJob& job) const
    {
        job.check = CFirstMoveCheck();
        job.check.goal = job.source.goal;
        if (!m_options.allMoves)
            return;
        for (go::Loc at : go::FirstMoves(job.source.problem)) {
            // The view reads none of these: the candidate only tells them apart.
            CFirstMoveReading reading;
            reading.candidate = static_cast<int>(job.check.readings.size());
            reading.at = at;
            job.check.readings.push_back(reading);
        }
    }

    void Work(BatchWorker& worker)
    {
        for (;;) {
            Task task{nullptr, 0};
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_wake.wait(lock, [&] { return !m_tasks.empty() || m_loaded || m_stop; });
                if (m_stop || m_tasks.empty())
                    return;
                task = m_tasks.front();
                m_tasks.pop_front();
            }
            try {
                Read(task, worker);
            } catch (...) {
                Stop(std::current_exception());
                return;
            }
            std::lock_guard<std::mutex> lock(m_mutex);
            --task.job->remaining;
            PrintReady();
        }
    }

    // A problem's readings in one task share its time: --timeout bounds
    // the problem, the first moves read within what the whole left.
    void Read(const Task& task, BatchWorker& worker)
    {
        const auto deadline = DeadlineAfter(m_options.timeout);
        if (task.move != kAllReadings) {
            ReadOne(task, worker, deadline);
            return;
        }
        FileJob& job = *task.job;
        ReadOne(Task{&job, kWholeReading}, worker, deadline);
        if (job.source.widen)
            TryMoreRoom(job, worker, deadline);
        if (job.source.wide) {
            ReadInTurns(job, worker, WinnersFirst(job, worker, deadline), deadline);
            return;
        }
        // The table reader's first moves, each with a time of its own, as
        // when they are read side by side.
        for (int m = 0; m < static_cast<int>(job.check.readings.size()); ++m)
            ReadOne(Task{&job, m}, worker, DeadlineAfter(m_options.timeout));
    }

    // A posed problem whose side to play fails, or wins only a ko, is read
    // again by the wide reader with one ring more room; while that does not
    // help, with the weak frame open too, then with two rings, each within a
    // tenth of the time limit: the blocks and the frame of a posed region
    // are a guess at the wall, the table reader's pass and ko rules are
    // not Go's, and a book's problem has a solution. The wider problem
    // takes the place of the posed one when its side to play does better.
    void TryMoreRoom(FileJob& job, BatchWorker& worker, std::chrono::steady_clock::time_point deadline)
    {
        const int before = OutcomeOf(job.check.goal, job.whole.result);
        if (job.whole.cancelled || job.whole.traceFailed || before < 2)
            return;
        const auto start = std::chrono::steady_clock::now();
        bool stopped = false;
        for (int attempt = 1; attempt <= kMoreRoomTries; ++attempt) {
            FileJob wider;
            wider.source.label = job.source.label;
            // A try that adds nothing would read the last one again. The
            // first still reads the posed problem itself when the table
            // reader read it: the wide reader's rules may answer otherwise.
            if (!job.source.widen(wider.source, attempt) && (job.source.wide || attempt > 1))
                continue;
            if (ReadWithMoreRoom(job, wider, before, TryEnd(start, attempt, stopped), worker, deadline))
                return;
            stopped = wider.whole.cancelled;
        }
    }

    // When a try of more room must end. Each try adds a tenth of the time
    // limit to the tries' time, counted from the first, so that what a
    // quick try leaves goes to the next: a reading at the edge of its
    // tenth answers on a slower machine too. A try the limit stopped
    // leaves the next a quarter of a tenth from then: more room seldom
    // reads faster, and when it does it is quick (measured on the book
    // data: of 184 tries after a stopped one, one helped, in 54 ms).
    std::chrono::steady_clock::time_point TryEnd(std::chrono::steady_clock::time_point start, int attempt,
                                                 bool stopped) const
    {
        if (stopped)
            return DeadlineAfter(m_options.timeout * kMoreRoomShareAfterStop);
        return DeadlineAfter(m_options.timeout * kMoreRoomShare * attempt, start);
    }

    // Reads the wider problem; true when it took the job's place.
    bool ReadWithMoreRoom(FileJob& job, FileJob& wider, int before, std::chrono::steady_clock::time_point limit,
                          BatchWorker& worker, std::chrono::steady_clock::time_point deadline)
    {
        PrepareWide(wider);
        if (deadline != std::chrono::steady_clock::time_point{})
            limit = std::min(limit, deadline);
        // Read on the second reader: the posed problem's first moves, when
        // they are still to be read, go on with the table its whole reading filled.
        // A reading the limit stops fails nothing: the first answer stands.
        worker.SwapWide();
        ReadOne(Task{&wider, kWholeReading}, worker, limit, true);
        const int after = OutcomeOf(job.check.goal, wider.whole.result);
        job.whole.milliseconds += wider.whole.milliseconds;  // the answer took every reading
        const bool better = !wider.whole.cancelled && after != 0 && after < before;
        if (!better)
            worker.SwapWide();
        worker.SpareWide().Forget();  // one large table per worker at a time
        if (!better)
            return false;
        wider.whole.milliseconds = job.whole.milliseconds;
        if (!job.trace.empty() && job.trace != m_options.trace)
            std::remove(job.trace.c_str());  // the posed problem's reading, no longer the answer
        job.trace.clear();
        job.source = std::move(wider.source);
        job.whole = std::move(wider.whole);
        job.check = std::move(wider.check);
        return true;
    }

    // The first moves in the order they are read alone: when the whole
    // reading succeeded, the other winning moves are looked for first, as
    // the whole reading found its own, within half the time left, and the
    // winners found come first, the rest most promising first. Read in
    // turns, a winner would wait while every losing move is read as long,
    // and a problem with many first moves ran out of time before its
    // winners were found; found so, they are read alone at once from the
    // table the search left.
    std::vector<int> WinnersFirst(FileJob& job, BatchWorker& worker, std::chrono::steady_clock::time_point deadline)
    {
        std::vector<int> order = MostPromisingFirst(job);
        if (order.empty() || job.whole.cancelled || job.whole.promising.empty() ||
            Outcome(job.check.goal, job.whole.result) != 1 || Cancelled())
            return order;
        const auto start = std::chrono::steady_clock::now();
        CRunControl& control = worker.WideControl();
        control.cancel = m_options.cancel;
        control.deadline = deadline == std::chrono::steady_clock::time_point{} ? deadline : start + (deadline - start) / 2;
        std::vector<go::Loc> winners{job.whole.promising.front()};
        for (;;) {
            const go::WideReader::OtherWinner w = worker.Wide().FindOtherWinner(job.source.problem, winners, &control);
            if (w.move == go::kNoLoc)
                break;
            winners.push_back(w.move);
        }
        job.whole.milliseconds += std::chrono::duration_cast<std::chrono::milliseconds>(
                                      std::chrono::steady_clock::now() - start)
                                      .count();  // the answer took this reading too
        ListedFirst(job, winners, order);
        return order;
    }

    // Under a time limit no first move may take it all: the moves are read
    // in turns, each turn giving every move still open twice the time of
    // the last, so that one hard move does not keep the easy ones from
    // being read. The table keeps what a stopped reading found for the
    // next turn. Without a limit each move is read once, to its end.
    void ReadInTurns(FileJob& job, BatchWorker& worker, std::vector<int> open,
                     std::chrono::steady_clock::time_point deadline)
    {
        const bool limited = deadline != std::chrono::steady_clock::time_point{};
        auto turn = std::max(m_options.firstTurn, std::chrono::steady_clock::duration{1});
        while (!open.empty()) {
            std::vector<int> again;
            for (int m : open) {
                const auto now = std::chrono::steady_clock::now();
                const bool last = !limited || deadline - now <= turn;
                if (ReadOne(Task{&job, m}, worker, last ? deadline : now + turn, !last))
                    again.push_back(m);
            }
            open.swap(again);
            turn *= 2;
        }
    }

    // After the whole reading, the first moves in the order it found most
    // promising: the one it found to win, which its table answers at once,
    // leads. So a problem's time, when it runs out, still leaves the proven
    // solutions it could.
    static std::vector<int> MostPromisingFirst(const FileJob& job)
    {
        std::vector<int> order;
        for (int m = 0; m < static_cast<int>(job.check.readings.size()); ++m)
            order.push_back(m);
        ListedFirst(job, job.whole.promising, order);
        return order;
    }

    // Puts the readings whose first move is listed first, in the list's
    // order; the others keep theirs.
    static void ListedFirst(const FileJob& job, const std::vector<go::Loc>& list, std::vector<int>& order)
    {
        auto rank = [&](int m) {
            const go::Loc at = job.check.readings[static_cast<std::size_t>(m)].at;
            return std::find(list.begin(), list.end(), at) - list.begin();
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return rank(a) < rank(b); });
    }

    // Reads one reading by the deadline. turn: the deadline ends a turn,
    // and a reading it stops is read again later, so it fails nothing yet.
    // Whether it is to be read again.
    bool ReadOne(const Task& task, BatchWorker& worker, std::chrono::steady_clock::time_point deadline,
                 bool turn = false)
    {
        FileJob& job = *task.job;
        CFirstMoveReading& reading =
            task.move < 0 ? job.whole : job.check.readings[static_cast<std::size_t>(task.move)];
        CRunControl& control = job.source.wide ? worker.WideControl() : worker.Table().Control();
        control.cancel = m_options.cancel;
        control.deadline = deadline;
        if (m_options.cancel != nullptr && m_options.cancel->load()) {
            reading.cancelled = true;  // a stop signal came: nothing more is read
            reading.verdict = "cancelled";
        } else if (job.source.wide) {
            ReadWide(worker, job, reading);
        } else {
            const char* trace = task.move < 0 && !job.trace.empty() ? job.trace.c_str() : nullptr;
            ReadProblem(worker.Table(), job.check.problem, job.check.goal, reading, trace,
                        m_options.trace);
        }
        const bool ok = !reading.cancelled && !reading.traceFailed;
        if (ok && job.source.keep)
            job.source.keep(worker, reading);
        const bool again = turn && reading.cancelled && !Cancelled();
        if (!ok && !again) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_failed = true;
        }
        return again;
    }

    // Prints the problems that are done in file order, answers them and lets
    // them go (the lock is held).
    void PrintReady()
    {
        while (!m_jobs.empty() && m_jobs.front()->remaining == 0) {
            FileJob& job = *m_jobs.front();
            std::fputs(FileLines(m_options, job).c_str(), m_options.out);
            std::fflush(m_options.out);
            if (job.source.error.empty()) {
                if (!job.whole.cancelled && !job.whole.traceFailed)
                    m_traces.Publish(job.trace);
                else if (!job.trace.empty() && job.trace != m_options.trace)
                    std::remove(job.trace.c_str());
                if (job.source.answered && !job.whole.cancelled && !job.whole.traceFailed &&
                    !job.source.answered(job.check))
                    m_failed = true;
            }
            m_jobs.pop_front();
            m_roomLeft.notify_all();
        }
    }

    bool Stopped()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_stop;
    }

    // A task or the loader threw: nothing more is handed out.
    void Stop(std::exception_ptr failure)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_failure)
                m_failure = failure;
            m_stop = true;
            m_tasks.clear();
        }
        m_wake.notify_all();
        m_roomLeft.notify_all();
    }

    const BatchOptions& m_options;
    TraceFiles m_traces;
    const std::size_t m_window;
    std::mutex m_mutex;
    std::condition_variable m_wake;      // a task to do, or the end
    std::condition_variable m_roomLeft;  // a problem printed
    std::deque<std::unique_ptr<FileJob>> m_jobs;  // loaded, not yet printed
    std::deque<Task> m_tasks;
    std::size_t m_count = 0;
    BatchWorker* m_inline = nullptr;  // reads on the loading thread when set
    bool m_loaded = false;
    bool m_stop = false;
    bool m_failed = false;
    std::exception_ptr m_failure;
};

}  // namespace

int RunBatch(const BatchOptions& options)
{
    return Batch(options).Run();
}
