// Plays a script's events through the window's own handlers.
#pragma once

#include <string>
#include <vector>

class CKovraView;
class CMainFrame;

// Returns the exit status: 0 when every line ran, 2 when a line was no event.
int RunScript(CMainFrame& frame, const CKovraView& view, const std::vector<std::string>& lines);
