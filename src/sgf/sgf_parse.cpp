// The SGF (FF[4]) reader: collections of game trees with their variations.
// Bounded on every axis, so that no input can exhaust the stack or memory:
// the text's size, the nesting of variations, and the number of nodes,
// properties and values together.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/open_file.h"
#include "sgf/sgf.h"

namespace {

constexpr std::size_t kMaxText = 64u << 20;    // bytes
constexpr int kMaxDepth = 1000;                // nested variations
constexpr std::size_t kMaxItems = 4000000;     // nodes + properties + values
constexpr std::size_t kMaxIdentifier = 32;     // letters of one property identifier

class Parser {
public:
    // base: the text's first byte in the file, for the byte numbers of errors.
    Parser(const std::string& text, std::vector<SgfTree>& trees, std::size_t base = 0)
        : m_text(text), m_trees(trees), m_base(base)
    {
    }

    std::string Run()
    {
        if (m_text.size() > kMaxText)
            return "the file is larger than 64 MB";
        for (;;) {
            // Text before and between game trees is not SGF and is passed over,
            // as readers do with mail headers and the like.
            while (m_pos < m_text.size() && m_text[m_pos] != '(')
                ++m_pos;
            if (m_pos >= m_text.size())
                break;
            m_trees.emplace_back();
            if (!ReadTree(m_trees.back()))
                return m_error;
        }
        if (m_trees.empty())
            return Expected("'('");
        return std::string();
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek() const { return m_text[m_pos]; }

    void SkipSpace()
    {
        while (!AtEnd() && std::isspace(static_cast<unsigned char>(Peek())))
            ++m_pos;
    }

    bool Fail(const std::string& what)
    {
        m_error = "byte " + std::to_string(m_base + m_pos) + ": " + what;
        return false;
    }
    std::string Expected(const char* what)
    {
        Fail(std::string("expected ") + what);
        return m_error;
    }
    bool FailExpected(const char* what)
    {
        Expected(what);
        return false;
    }

    bool Count()
    {
        if (++m_items > kMaxItems)
            return Fail("more than 4000000 nodes, properties and values");
        return true;
    }

    // A game tree from its '(' to its ')', without recursion: the open trees
    // are kept on a stack of pointers (a parent's variations do not change
    // while one of its children is open, so the pointers stay valid).
    bool ReadTree(SgfTree& root)
    {
        std::vector<SgfTree*> open;
        open.push_back(&root);
        ++m_pos;  // '('
        if (!ReadSequence(root))
            return false;
        while (!open.empty()) {
            SkipSpace();
            if (AtEnd())
                return FailExpected("')'");
            const char c = Peek();
            if (c == ')') {
                ++m_pos;
                open.pop_back();
            } else if (c == '(') {
                if (static_cast<int>(open.size()) >= kMaxDepth)
                    return Fail("variations nested deeper than 1000");
                ++m_pos;
                SgfTree& child = open.back()->variations.emplace_back();
                open.push_back(&child);
                if (!ReadSequence(child))
                    return false;
            } else if (c == ';') {
                return FailExpected("'(' or ')' (no node may follow the variations)");
            } else {
                return FailExpected("'(' or ')'");
            }
        }
        return true;
    }

    // One or more nodes after a '('.
    bool ReadSequence(SgfTree& tree)
    {
        SkipSpace();
        if (AtEnd() || Peek() != ';')
            return FailExpected("';'");
        while (!AtEnd() && Peek() == ';') {
            ++m_pos;
            if (!Count())
                return false;
            tree.nodes.emplace_back();
            if (!ReadNode(tree.nodes.back()))
                return false;
            SkipSpace();
        }
        return true;
    }

    bool ReadNode(SgfNode& node)
    {
        for (;;) {
            SkipSpace();
            if (AtEnd())
                return FailExpected("')'");
            const char c = Peek();
            if (c == ';' || c == '(' || c == ')')
                return true;
            if (!std::isalpha(static_cast<unsigned char>(c)))
                return FailExpected("a property, ';', '(' or ')'");
            if (!ReadProperty(node))
                return false;
        }
    }

    // An identifier and its values. Old files spell identifiers out in mixed
    // case ("AddBlack"); as other readers do, only the capitals count, and an
    // all-lower-case identifier is read in capitals.
    bool ReadProperty(SgfNode& node)
    {
        std::string letters;
        while (!AtEnd() && std::isalpha(static_cast<unsigned char>(Peek()))) {
            if (letters.size() >= kMaxIdentifier)
                return Fail("property identifier longer than 32 letters");
            letters += Peek();
            ++m_pos;
        }
        std::string id;
        for (char c : letters)
            if (std::isupper(static_cast<unsigned char>(c)))
                id += c;
        if (id.empty())
            for (char c : letters)
                id += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (!Count())
            return false;
        node.properties.push_back(SgfProperty{id, {}});
        SkipSpace();
        if (AtEnd() || Peek() != '[')
            return FailExpected("'['");
        while (!AtEnd() && Peek() == '[') {
            if (!Count())
                return false;
            std::string value;
            if (!ReadValue(value))
                return false;
            node.properties.back().values.push_back(std::move(value));
            SkipSpace();
        }
        return true;
    }

    // A value from '[' to ']': a backslash makes the next character plain
    // ("\]" is a bracket), and a backslash before a line break removes both
    // (a soft line break).
    bool ReadValue(std::string& value)
    {
        ++m_pos;  // '['
        while (!AtEnd()) {
            char c = Peek();
            ++m_pos;
            if (c == ']')
                return true;
            if (c == '\\') {
                if (AtEnd())
                    break;
                c = Peek();
                ++m_pos;
                if (c == '\n' || c == '\r') {
                    const char pair = c == '\n' ? '\r' : '\n';
                    if (!AtEnd() && Peek() == pair)
                        ++m_pos;
                    continue;
                }
            }
            value += c;
        }
        return FailExpected("']'");
    }

    const std::string& m_text;
    std::vector<SgfTree>& m_trees;
    std::size_t m_base;
    std::size_t m_pos = 0;
    std::size_t m_items = 0;
    std::string m_error;
};

}  // namespace

const SgfProperty* SgfNode::Find(const char* id) const
{
    for (const SgfProperty& property : properties)
        if (property.id == id)
            return &property;
    return nullptr;
}

std::string ParseSgf(const std::string& text, std::vector<SgfTree>& trees)
{
    trees.clear();
    std::string error = Parser(text, trees).Run();
    if (!error.empty())
        trees.clear();
    return error;
}

std::string ParseSgfTree(const std::string& text, std::size_t base, SgfTree& tree)
{
    std::vector<SgfTree> trees;
    std::string error = Parser(text, trees, base).Run();
    if (error.empty() && trees.size() != 1)
        error = "byte " + std::to_string(base) + ": expected one game tree";
    if (error.empty())
        tree = std::move(trees[0]);
    return error;
}

std::string ReadSgfFile(const char* path, std::string& text)
{
    const InputFile in = OpenToRead(path);  // a pipe could keep the reader waiting
    if (in.file == nullptr)
        return "cannot open: " + in.why;
    std::FILE* file = in.file;
    char buffer[1 << 16];
    std::size_t n;
    // A little past the reader's limit is enough for it to refuse the file.
    while (text.size() <= kMaxText && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? "cannot read the file" : "";
}

bool IsSgfPath(const char* path)
{
    const std::size_t n = std::strlen(path);
    return n >= 4 && strcasecmp(path + n - 4, ".sgf") == 0;
}
