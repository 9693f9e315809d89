// SGF text in other character sets, converted with the C library's iconv.
#include "sgf/sgf_charset.h"

#include <cctype>
#include <cerrno>
#include <iconv.h>

bool IsUtf8Name(const std::string& charset)
{
    std::string name;
    for (char c : charset)
        if (c != '-' && c != '_' && c != ' ')
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "utf8";
}

bool IsUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        // The length of the sequence a lead byte starts, and the smallest
        // code point it may stand for (no overlong forms).
        const int length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3
                                        : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
            return false;
        unsigned long code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((t & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (t & 0x3F);
        }
        const unsigned long least[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

namespace {

// One iconv step into buffer, appended to out: the input's next piece, or
// with in null the end of a stateful encoding's shift state. False on bad
// input (a full buffer is no failure).
bool Step(iconv_t cd, char** in, std::size_t* left, std::string& out)
{
    char buffer[1024];
    char* to = buffer;
    std::size_t room = sizeof buffer;
    const std::size_t done = iconv(cd, in, left, &to, &room);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    return done != static_cast<std::size_t>(-1) || errno == E2BIG;
}

}  // namespace

bool ConvertToUtf8(const std::string& charset, std::string& text)
{
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string out;
    char* in = const_cast<char*>(text.data());
    std::size_t left = text.size();
    bool ok = true;
    while (ok && left > 0)
        ok = Step(cd, &in, &left, out);
    ok = ok && Step(cd, nullptr, nullptr, out);
    iconv_close(cd);
    if (ok)
        text = out;
    return ok;
}
