// The report lines a script asks for: the board, the group map and the
// view's state line, each ending in a newline.
#pragma once

#include <string>

class CKovraView;

std::string BoardReport(const CKovraView& view);
std::string GroupsReport(const CKovraView& view);
std::string StateReport(const CKovraView& view);
