#include "script_event.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

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
            event.x = verb == "at" ? (a - 1) * 26 + 13 : a;
            event.y = verb == "at" ? (b - 1) * 26 + 13 : b;
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
    } else if (line == "wait") {
        event.kind = ScriptEventKind::Wait;
    } else if (verb == "snapshot" && !rest.empty()) {
        event.kind = ScriptEventKind::Snapshot;
        event.text = rest;
    }
    return event;
}

bool ReadScriptLines(const std::string& path, std::vector<std::string>& lines)
{
    const bool fromStdin = path == "-";
    std::FILE* file = fromStdin ? stdin : std::fopen(path.c_str(), "r");
    if (!file)
        return false;
    std::string text;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;  // a directory fails here
    if (!fromStdin)
        std::fclose(file);
    if (failed)
        return false;
    lines.clear();
    std::string::size_type start = 0;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}
