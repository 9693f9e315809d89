// Plays a script's events through the window's own handlers.
#pragma once

class CKovraView;
class CMainFrame;
class CScriptSource;

// Plays every line of the source; a command that reads in the background
// ends before the next line. Returns the exit status: 0 when every line
// ran, 1 when they all ran but some solver run lost its trace (db.txt), 2
// when a line was no event, too long or could not be read, or its output
// could not be written.
int RunScript(CMainFrame& frame, const CKovraView& view, CScriptSource& source);
