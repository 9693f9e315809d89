// One line of a script, parsed: the event and its arguments.
#pragma once

#include <string>
#include <vector>

enum class ScriptEventKind {
    Nothing,  // blank line or comment
    Menu,
    Click,
    Char,
    KeyUp,
    KeyDown,
    Board,
    Groups,
    State,
    Snapshot,
    Wait,  // until the window's background work is done
    Unknown,
};

struct ScriptEvent {
    ScriptEventKind kind = ScriptEventKind::Nothing;
    std::string text;  // menu label or snapshot file
    int x = 0;         // click pixel
    int y = 0;
    unsigned ch = 0;   // typed character (a code point)
};

// Parses one line (without its newline). "at COL ROW" comes back as the
// click at the point's centre; a menu label is not checked here.
ScriptEvent ParseScriptLine(const std::string& line);

// Reads the lines of a script file, or of standard input for "-".
// False when the file cannot be opened or read.
bool ReadScriptLines(const std::string& path, std::vector<std::string>& lines);
