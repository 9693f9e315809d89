// Plays a script's events through the window's own handlers.
#pragma once

class CKovraView;
class CMainFrame;
class CScriptSource;

// Plays every line of the source; a command that reads in the background
// ends before the next line. Returns the exit status: 0 when every line
// ran, 2 when a line was no event, too long or could not be read.
int RunScript(CMainFrame& frame, const CKovraView& view, CScriptSource& source);
