#include "problem_file.h"

#include <cstdio>
#include <cstring>

#include "board/kovra_view.h"
#include "board/view_colors.h"
#include "platform/open_file.h"
#include "view/position_notes.h"

namespace {

constexpr const char* kPastTheTable = "more than 15 candidate points";

void ReportSkipped(const char* name, const CPositionNotes& notes, bool allCandidates)
{
    for (const CPositionNotes::Skipped& s : notes.SkippedLines())
        if (!allCandidates || s.why != kPastTheTable)
            std::fprintf(stderr, "%s: line %d: %s\n", name, s.line, s.why.c_str());
}

// A target must be a white stone: on an empty point or a black stone the
// reading would judge a group that is not there.
std::string CheckTargets(const CKovraView& view, const CPositionNotes& notes)
{
    for (int i = 0; i < view.m_targetCount; ++i) {
        const go::Color c = ColorOfStone(view.m_board[view.m_targetY[i]][view.m_targetX[i]]);
        if (c == kTableDefender)
            continue;
        return "line " + std::to_string(notes.TargetLine(i)) + ": target on " +
               (c == kTableAttacker ? "a black stone" : "an empty point");
    }
    return std::string();
}

}  // namespace

std::string ReadProblemFile(const char* path, std::string& text)
{
    const InputFile in = OpenToRead(path);
    if (in.file == nullptr)
        return "cannot open: " + in.why;
    const bool read = CKovraView::ReadPositionText(in.file, text);
    std::fclose(in.file);
    return read ? std::string() : "cannot read the file";
}

std::string LoadProblemText(CKovraView& view, const std::string& text, const char* name,
                            bool allCandidates)
{
    view.ResetPosition();
    view.m_targetCount = 0;
    CPositionNotes notes;
    view.ApplyPositionRecords(text, true, &notes);
    ReportSkipped(name, notes, allCandidates);
    if (view.m_targetCount < 1)
        return "no target stones";
    const std::string misplaced = CheckTargets(view, notes);
    if (!misplaced.empty())
        return misplaced;
    view.MarkRecordedTargets();
    return std::string();
}

std::string LoadProblemFile(CKovraView& view, const char* path)
{
    std::string text;
    const std::string error = ReadProblemFile(path, text);
    return error.empty() ? LoadProblemText(view, text, path, false) : error;
}
