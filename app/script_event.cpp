#include "script_event.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "board/kovra_view.h"

namespace {

// Far outside any window, yet small enough that a point's centre pixel
// cannot overflow: larger numbers are taken as this, so they stay off the board.
constexpr long kCoordinateLimit = 1000000;

bool ParseInt(const std::string& word, int& value)
{
    if (word.empty())
        return false;
    const char* begin = word.c_str();
    char* end = nullptr;
    errno = 0;
    long v = std::strtol(begin, &end, 10);  // out of range: LONG_MIN or LONG_MAX
    if (*end != '\0' || end == begin)
        return false;
    if (!(word[0] == '-' || (word[0] >= '0' && word[0] <= '9')))
        return false;  // strtol would also take a leading '+' or blank
    if (v < -kCoordinateLimit)
        v = -kCoordinateLimit;
    if (v > kCoordinateLimit)
        v = kCoordinateLimit;
    value = static_cast<int>(v);
    return true;
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type space = text.find(' ', start);
        words.push_back(text.substr(start, space - start));
        if (space == std::string::npos)
            return words;
        start = space + 1;
    }
}

// The code point of text when it is exactly one UTF-8 character.
bool SingleCharacter(const std::string& text, unsigned& code)
{
    if (text.empty())
        return false;
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    std::string::size_type length = 1;
    code = lead;
    if (lead >= 0xF0) {
        length = 4;
        code = lead & 0x07;
    } else if (lead >= 0xE0) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xC0) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0x80) {
        return false;
    }
    if (text.size() != length)
        return false;
    for (std::string::size_type i = 1; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80)
            return false;
        code = (code << 6) | (c & 0x3F);
    }
    return true;
}

}  // namespace

ScriptEvent ParseScriptLine(const std::string& rawLine)
{
    std::string line = rawLine;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    const std::string::size_type first = line.find_first_not_of(" \t");
    ScriptEvent event;
    if (first == std::string::npos || line[first] == '#')
        return event;  // blank or comment
    line.erase(0, first);

    event.kind = ScriptEventKind::Unknown;
    const std::vector<std::string> words = SplitWords(line);
    const std::string& verb = words[0];
    const std::string rest = line.size() > verb.size() ? line.substr(verb.size() + 1) : std::string();

    if (verb == "menu" && !rest.empty()) {
        event.kind = ScriptEventKind::Menu;
        event.text = rest;
    } else if ((verb == "click" || verb == "at") && words.size() == 3) {
        int a = 0;
        int b = 0;
        if (ParseInt(words[1], a) && ParseInt(words[2], b)) {
            event.kind = ScriptEventKind::Click;
            event.x = verb == "at" ? (a - 1) * kCellPixels + kCellPixels / 2 : a;
            event.y = verb == "at" ? (b - 1) * kCellPixels + kCellPixels / 2 : b;
        }
    } else if (verb == "char") {
        if (rest == "space") {
            event.kind = ScriptEventKind::Char;
            event.ch = ' ';
        } else if (SingleCharacter(rest, event.ch) && rest != " ") {
            event.kind = ScriptEventKind::Char;
        }
    } else if (line == "key up") {
        event.kind = ScriptEventKind::KeyUp;
    } else if (line == "key down") {
        event.kind = ScriptEventKind::KeyDown;
    } else if (line == "board") {
        event.kind = ScriptEventKind::Board;
    } else if (line == "groups") {
        event.kind = ScriptEventKind::Groups;
    } else if (line == "state") {
        event.kind = ScriptEventKind::State;
    } else if (verb == "escape" && words.size() == 2) {
        if (ParseInt(words[1], event.x) && event.x >= 0)
            event.kind = ScriptEventKind::EscapeAfter;
    } else if (verb == "snapshot" && !rest.empty()) {
        event.kind = ScriptEventKind::Snapshot;
        event.text = rest;
    } else if (verb == "save-sgf" && !rest.empty()) {
        event.kind = ScriptEventKind::SaveSgf;
        event.text = rest;
    } else if (verb == "export-png" && !rest.empty()) {
        event.kind = ScriptEventKind::ExportPng;
        event.text = rest;
    } else if (verb == "open-sgf" && !rest.empty()) {
        // A last word of digits after the file is the problem's place; a
        // number past any file's count stays as written for the message.
        event.kind = ScriptEventKind::OpenSgf;
        event.text = rest;
        const std::string::size_type space = rest.rfind(' ');
        if (space != std::string::npos && space + 1 < rest.size() &&
            rest.find_first_not_of("0123456789", space + 1) == std::string::npos) {
            event.number = rest.substr(space + 1);
            event.text = rest.substr(0, space);
            errno = 0;
            const long index = std::strtol(event.number.c_str(), nullptr, 10);
            event.index = errno != 0 || index > INT_MAX ? INT_MAX : static_cast<int>(index);
        }
    }
    return event;
}

CScriptSource::~CScriptSource()
{
    if (m_ownFile)
        std::fclose(m_file);
}

bool CScriptSource::Open(const std::string& path)
{
    m_ownFile = path != "-";
    m_file = m_ownFile ? std::fopen(path.c_str(), "r") : stdin;
    if (m_file == nullptr) {
        m_ownFile = false;
        return false;
    }
    m_first = ReadLine(m_firstLine);
    return m_first != Result::Failed;
}

CScriptSource::Result CScriptSource::Next(std::string& line)
{
    if (!m_firstTaken) {
        m_firstTaken = true;
        line = m_firstLine;
        return m_first;
    }
    return ReadLine(line);
}

CScriptSource::Result CScriptSource::ReadLine(std::string& line)
{
    line.clear();
    if (m_file == nullptr)
        return Result::End;
    int c;
    while ((c = std::getc(m_file)) != EOF && c != '\n') {
        if (line.size() >= kLineLimit)
            return Result::TooLong;
        line += static_cast<char>(c);
    }
    if (std::ferror(m_file))
        return Result::Failed;
    return c == EOF && line.empty() ? Result::End : Result::Line;
}
