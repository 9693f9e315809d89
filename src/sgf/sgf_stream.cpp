#include "sgf/sgf_stream.h"

#include <cerrno>
#include <cstring>

#include "platform/open_file.h"

namespace {

// One game tree's text at most; a larger tree is refused.
constexpr std::size_t kMaxTreeText = 64u << 20;

}  // namespace

SgfTreeReader::~SgfTreeReader()
{
    if (m_owned && m_file != nullptr)
        std::fclose(m_file);
}

std::string SgfTreeReader::Open(const char* path)
{
    const InputFile in = OpenToRead(path);  // a pipe could keep the reader waiting
    if (in.file == nullptr)
        return "cannot open: " + in.why;
    m_file = in.file;
    m_owned = true;
    return std::string();
}

std::string SgfTreeReader::OpenText(std::string text)
{
    m_text = std::move(text);
    // fmemopen refuses an empty buffer: an empty text reads as /dev/null.
    m_file = m_text.empty() ? std::fopen("/dev/null", "rb")
                            : fmemopen(&m_text[0], m_text.size(), "rb");
    if (m_file == nullptr)
        return std::string("cannot read: ") + std::strerror(errno);
    m_owned = true;
    return std::string();
}

int SgfTreeReader::Get()
{
    const int c = std::getc(m_file);
    if (c != EOF)
        ++m_pos;
    return c;
}

// Text outside the trees is passed over, as the whole-file reader does.
// Inside a tree, brackets hold values (a backslash makes the next character
// plain) and parentheses count the nesting of variations.
SgfTreeReader::Scan SgfTreeReader::Gather(bool keep, std::string& text, std::size_t& start,
                                          std::string& error)
{
    text.clear();
    if (m_failed || m_file == nullptr)
        return Scan::End;
    int c;
    while ((c = Get()) != EOF && c != '(') {
    }
    if (c == EOF) {
        if (std::ferror(m_file)) {
            error = "cannot read the file";
            m_failed = true;
            return Scan::Failed;
        }
        if (!m_anyTree) {
            error = "byte " + std::to_string(m_pos) + ": expected '('";
            m_failed = true;
            return Scan::Failed;
        }
        return Scan::End;
    }
    m_anyTree = true;
    start = m_pos - 1;
    int depth = 1;
    bool inValue = false;
    std::size_t size = 1;
    if (keep)
        text += '(';
    while (depth > 0 && (c = Get()) != EOF) {
        if (++size > kMaxTreeText) {
            error = "byte " + std::to_string(m_pos - 1) + ": a game tree larger than 64 MB";
            m_failed = true;
            return Scan::Failed;
        }
        if (keep)
            text += static_cast<char>(c);
        if (inValue) {
            if (c == '\\') {
                const int next = Get();
                if (next == EOF)
                    break;
                ++size;
                if (keep)
                    text += static_cast<char>(next);
            } else if (c == ']') {
                inValue = false;
            }
        } else if (c == '[') {
            inValue = true;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        }
    }
    if (depth > 0 && std::ferror(m_file)) {
        error = "cannot read the file";
        m_failed = true;
        return Scan::Failed;
    }
    // A tree cut short by the end of the file is parsed as it stands, so its
    // error names the byte where the text ends.
    return Scan::Tree;
}

bool SgfTreeReader::Next(SgfTree& tree, std::string& error)
{
    std::string text;
    std::size_t start = 0;
    const Scan scan = Gather(true, text, start, error);
    if (scan != Scan::Tree)
        return false;
    tree = SgfTree();
    error = ParseSgfTree(text, start, tree);
    if (!error.empty()) {
        m_failed = true;
        return false;
    }
    return true;
}

bool SgfTreeReader::Skip(std::string& error)
{
    std::string text;
    std::size_t start = 0;
    return Gather(false, text, start, error) == Scan::Tree;
}

std::size_t CountSgfTrees(SgfTreeReader& reader, std::string& error)
{
    std::size_t count = 0;
    while (error.empty() && reader.Skip(error))
        ++count;
    return count;
}

std::size_t CountSgfTrees(const char* path, std::string& error)
{
    SgfTreeReader reader;
    error = reader.Open(path);
    return CountSgfTrees(reader, error);
}

std::string ReadSgfTreeAt(const char* path, std::size_t n, SgfTree& tree)
{
    SgfTreeReader reader;
    std::string error = reader.Open(path);
    for (std::size_t k = 1; error.empty() && k < n; ++k)
        if (!reader.Skip(error) && error.empty())
            error = "no problem " + std::to_string(n) + " (the file holds " + std::to_string(k - 1) + ")";
    if (error.empty() && !reader.Next(tree, error) && error.empty())
        error = "no problem " + std::to_string(n) + " (the file holds " + std::to_string(n - 1) + ")";
    return error;
}
