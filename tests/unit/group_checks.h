// Checks shared by the board tests and the fuzzers: the group-set
// invariant and a flood-fill reference grouping.
#pragma once

#include <string>
#include <vector>

#include "board/kovra_view.h"

// Empty when the group set keeps its invariant: every stone carries its
// group's id, stands exactly once in that group's list and has its colour;
// empty cells map 0; a slot is free exactly when its list is empty, and a
// free slot has colour 0; the count is at least the highest occupied id.
// Otherwise the first fault found, as text. With allowUngrouped a stone may
// also stand outside every group (map 0, in no list), as it does after the
// group table ran full.
std::string GroupSetFault(const unsigned char* board, const std::int32_t* map,
                          const unsigned char* colors, const CPointList* lists, int count,
                          bool allowUngrouped = false);
std::string GroupSetFault(const CKovraView& view, bool allowUngrouped = false);

// Empty when map assigns one id per connected group of board and distinct
// ids to distinct groups (ids may be numbered in any way); else the fault.
std::string ConnectedGroupingFault(const unsigned char* board, const std::int32_t* map);

// Empty when the two maps group the stones alike, up to renumbering.
std::string SameGroupingFault(const std::int32_t* a, const std::int32_t* b);
