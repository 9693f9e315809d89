// Feeds arbitrary bytes to the position-file reader, as Restore and the
// command-line solver read them, then marks the targets and, on small move
// lists, solves.
#include <cstdint>
#include <cstdio>

#include "board/kovra_view.h"
#include "invariants.h"

namespace {
CKovraView& View()
{
    static CKovraView* view = new CKovraView;
    return *view;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CKovraView& view = View();
    WatchStatusBar();
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "r");
    if (!file)
        return 0;
    view.ResetPosition();
    view.m_targetCount = 0;
    const bool keepTargets = size > 0 && (data[0] & 1);
    view.ReadPositionRecords(file, keepTargets);
    std::fclose(file);
    CheckViewInvariants(view);

    view.MarkRecordedTargets();
    CheckViewInvariants(view);
    if (view.m_targetCount > 0 && view.m_moveCount <= 5) {
        if (size > 1 && (data[1] & 1))
            view.OnStartDef();
        else
            view.OnStartAtk();
        CheckViewInvariants(view);
    }
    return 0;
}
