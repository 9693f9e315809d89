#include "problem_file.h"

#include <cstdio>

#include "board/kovra_view.h"
#include "platform/open_file.h"
#include "view/position_notes.h"

namespace {

void ReportSkipped(const char* path, const CPositionNotes& notes)
{
    for (const CPositionNotes::Skipped& s : notes.SkippedLines())
        std::fprintf(stderr, "%s: line %d: %s\n", path, s.line, s.why.c_str());
}

// A target must be a white stone: on an empty point or a black stone the
// reading would judge a group that is not there.
std::string CheckTargets(const CKovraView& view, const CPositionNotes& notes)
{
    for (int i = 0; i < view.m_targetCount; ++i) {
        const unsigned char c = view.m_board[view.m_targetY[i]][view.m_targetX[i]];
        if (c == kWhite)
            continue;
        return "line " + std::to_string(notes.TargetLine(i)) + ": target on " +
               (c == kBlack ? "a black stone" : "an empty point");
    }
    return std::string();
}

}  // namespace

std::string LoadProblemFile(CKovraView& view, const char* path)
{
    const InputFile in = OpenToRead(path);
    if (in.file == nullptr)
        return "cannot open: " + in.why;
    view.ResetPosition();
    view.m_targetCount = 0;
    CPositionNotes notes;
    const bool read = view.ReadPositionRecords(in.file, true, &notes);
    std::fclose(in.file);
    if (!read)
        return "cannot read the file";
    ReportSkipped(path, notes);
    if (view.m_targetCount < 1)
        return "no target stones";
    const std::string misplaced = CheckTargets(view, notes);
    if (!misplaced.empty())
        return misplaced;

    view.MarkRecordedTargets();
    return std::string();
}
