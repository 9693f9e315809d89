// How another thread watches and stops a running read: the read publishes
// its progress every kPollNodes expanded positions and, at the same moments,
// stops when the cancel flag is set or its time is up.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// Expanded positions between two looks at the cancel flag (a power of two).
constexpr std::uint32_t kPollNodes = 4096;

struct CRunControl {
    // Set by the watcher to stop the read; null: the read cannot be stopped.
    const std::atomic<bool>* cancel = nullptr;
    // Positions expanded so far (refreshed every kPollNodes).
    std::atomic<std::int32_t> nodes{0};
    // The move-list entry being read at the root; -1 before the first.
    std::atomic<std::int32_t> rootEntry{-1};
    // The read stops at this time; the clock's epoch (zero) for no limit.
    std::chrono::steady_clock::time_point deadline{};
};

// The deadline of a read allowed that many seconds from now (or from an
// earlier start); the zero time point (no limit) for none (0 or less, not
// a number) and for a century or more, which is no limit either and would
// overflow the clock's count (nanoseconds in 64 bits reach about 292 years).
inline std::chrono::steady_clock::time_point DeadlineAfter(
    double seconds, std::chrono::steady_clock::time_point from = std::chrono::steady_clock::now())
{
    constexpr double kCentury = 100 * 365.25 * 24 * 3600;
    if (!(seconds > 0) || !(seconds < kCentury))
        return std::chrono::steady_clock::time_point{};
    return from +
           std::chrono::duration_cast<std::chrono::steady_clock::duration>(
               std::chrono::duration<double>(seconds));
}

// Thrown out of the search when the cancel flag is seen; the command that
// started the read catches it and puts the position back.
struct CReadCancelled {};
