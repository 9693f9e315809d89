// One line of a script, parsed: the event and its arguments.
#pragma once

#include <cstddef>
#include <cstdio>
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
    EscapeAfter,  // "escape MS": Esc MS milliseconds into the next command
    OpenSgf,  // open-sgf FILE [N]
    SaveSgf,  // save-sgf FILE
    ExportPng,  // export-png FILE ("Export PNG..." to FILE)
    Unknown,
};

struct ScriptEvent {
    ScriptEventKind kind = ScriptEventKind::Nothing;
    std::string text;  // menu label, snapshot or SGF file
    int x = 0;         // click pixel; milliseconds of EscapeAfter
    int y = 0;
    unsigned ch = 0;   // typed character (a code point)
    int index = 1;     // open-sgf: the problem's place in the file (at most INT_MAX)
    std::string number;  // open-sgf: that place as written, or empty
};

// Parses one line (without its newline). "at COL ROW" comes back as the
// click at the point's centre; a menu label is not checked here.
ScriptEvent ParseScriptLine(const std::string& line);

// The lines of a script file, or of standard input for "-", read one at a
// time as they are played, so that an endless script needs no memory.
class CScriptSource {
public:
    // Longer lines stop the script.
    static constexpr std::size_t kLineLimit = 4096;
    enum class Result { Line, End, TooLong, Failed };

    CScriptSource() = default;
    ~CScriptSource();
    CScriptSource(const CScriptSource&) = delete;
    CScriptSource& operator=(const CScriptSource&) = delete;

    // Opens the script and reads its first line; false when it cannot be
    // opened or read at all (a directory).
    bool Open(const std::string& path);
    // The next line, without its newline.
    Result Next(std::string& line);

private:
    Result ReadLine(std::string& line);

    std::FILE* m_file = nullptr;
    bool m_ownFile = false;
    Result m_first = Result::End;  // the first line, read by Open
    std::string m_firstLine;
    bool m_firstTaken = false;
};
