// An SGF collection read one game tree at a time: memory follows the largest
// problem, not the file, and the first problem is there at once.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "sgf/sgf.h"

class SgfTreeReader {
public:
    SgfTreeReader() = default;
    ~SgfTreeReader();
    SgfTreeReader(const SgfTreeReader&) = delete;
    SgfTreeReader& operator=(const SgfTreeReader&) = delete;

    // Reads the file at path; empty on success, else why it cannot be opened.
    std::string Open(const char* path);
    // Reads the text given (kept by the reader).
    std::string OpenText(std::string text);

    // The next game tree. False at the end, or with error set when the text
    // is not SGF (nothing more is read then).
    bool Next(SgfTree& tree, std::string& error);
    // Passes over the next game tree without reading it into nodes; false
    // at the end or on an error (as Next).
    bool Skip(std::string& error);

private:
    enum class Scan { Tree, End, Failed };
    // Gathers the next tree's text from its '(' to its ')' (kept only when
    // keep is set); its first byte's place in the file goes to start.
    Scan Gather(bool keep, std::string& text, std::size_t& start, std::string& error);
    int Get();

    std::string m_text;  // what OpenText reads from
    std::FILE* m_file = nullptr;
    bool m_owned = false;
    bool m_failed = false;
    bool m_anyTree = false;
    std::size_t m_pos = 0;  // bytes read so far
};

// The number of game trees left in the reader, counted without keeping
// them; error names what stopped the count (the text is not SGF or cannot
// be read: the trees before it are counted).
std::size_t CountSgfTrees(SgfTreeReader& reader, std::string& error);
// The same for the file at path (error also when it cannot be opened).
std::size_t CountSgfTrees(const char* path, std::string& error);

// Reads the n-th game tree (from 1) of the file at path, passing over the
// ones before it; empty on success, else the reason.
std::string ReadSgfTreeAt(const char* path, std::size_t n, SgfTree& tree);
