// Checks that a view's tables are within their capacities and its board
// and border intact; aborts (a fuzzer finding) when not.
#pragma once

class CKovraView;

void CheckViewInvariants(const CKovraView& view);
