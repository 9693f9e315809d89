// The text shown when a group needs a slot beyond the 15 of the table.
#pragma once

inline constexpr char kGroupTableFull[] = "****** maxl > gSz ******";
