// What reading a position file found besides its records, for a reader that
// reports on the file (kovra-solve): the lines nothing was read from and
// why, and the line of each target record. The window's Restore keeps no
// notes: it reads a file as it always did, in silence.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "board/kovra_view.h"

class CPositionNotes {
public:
    struct Skipped {
        int line;
        std::string why;
    };

    // Starts on the text being read; the offsets given later never go back.
    void Begin(const std::string& text);
    // Nothing was read from the record at offset. Each line is noted once;
    // a pass line (it begins with a blank) or a blank line never is, as
    // nothing in it is meant to be read.
    void Skip(std::size_t offset, const char* why);
    // Target index was read from the record at offset.
    void Target(int index, std::size_t offset);

    const std::vector<Skipped>& SkippedLines() const { return m_skipped; }
    // The line of target index, from 1.
    int TargetLine(int index) const { return m_targetLine[index]; }

private:
    int LineAt(std::size_t offset);

    const std::string* m_text = nullptr;
    std::size_t m_pos = 0;        // the line count covers the text before this
    std::size_t m_lineStart = 0;  // where the line of m_pos begins
    int m_line = 1;
    std::vector<Skipped> m_skipped;
    int m_targetLine[kMaxTargets] = {};
};
