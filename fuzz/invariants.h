// Checks that a view's tables are within their capacities, its board and
// border intact and, where the program keeps it, its group set consistent;
// aborts (a fuzzer finding) when not.
#pragma once

class CKovraView;

// Makes the status bar a recorder that notices the group table running
// full; call once per input, before the view is used.
void WatchStatusBar();

void CheckViewInvariants(const CKovraView& view);
