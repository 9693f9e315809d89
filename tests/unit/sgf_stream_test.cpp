// A collection read one game tree at a time: the trees between other text,
// errors at the file's own byte, counting and skipping without keeping.
#include <gtest/gtest.h>

#include "sgf/sgf_stream.h"

namespace {

struct StreamCase {
    const char* name;
    const char* text;
    std::vector<std::string> firstMoves;  // the first node's B value of each tree read
    std::string error;                    // where reading stopped; empty: the end
    std::size_t count;                    // what a count without keeping says
};

const StreamCase kCases[] = {
    {"trees between other text", "mail (;B[aa]) junk (;B[bb](;W[cc])(;W[dd]))\n(;B[ee])",
     {"aa", "bb", "ee"}, "", 3},
    {"brackets and escapes inside values", "(;C[a ) ( \\] b]B[aa])(;B[bb])", {"aa", "bb"}, "", 2},
    {"the second tree cut short names the file's byte", "(;B[aa])\n(;B[bb", {"aa"},
     "byte 15: expected ']'", 2},
    {"a fault inside the second tree", "(;B[aa]) (;B[bb]x)", {"aa"},
     "byte 17: expected '['", 2},
    {"no tree at all", "just words", {}, "byte 10: expected '('", 0},
};

std::vector<std::string> ReadAll(const std::string& text, std::string& error)
{
    SgfTreeReader reader;
    EXPECT_EQ(reader.OpenText(text), "");
    std::vector<std::string> moves;
    SgfTree tree;
    while (reader.Next(tree, error)) {
        const SgfProperty* b = tree.nodes.at(0).Find("B");
        moves.push_back(b != nullptr ? b->values.at(0) : "");
    }
    return moves;
}

}  // namespace

TEST(SgfTreeReader, ReadsOneTreeAtATime)
{
    for (const StreamCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_EQ(ReadAll(c.text, error), c.firstMoves);
        EXPECT_EQ(error, c.error);
        SgfTreeReader counter;
        ASSERT_EQ(counter.OpenText(c.text), "");
        std::string countError;
        EXPECT_EQ(CountSgfTrees(counter, countError), c.count);
    }
}

// Skipping passes over whole trees, variations and all, so the next tree
// read is the one after them.
TEST(SgfTreeReader, SkipsWholeTrees)
{
    SgfTreeReader reader;
    ASSERT_EQ(reader.OpenText("(;B[aa](;W[bb])(;W[cc]))(;B[dd]C[)])(;B[ee])"), "");
    std::string error;
    ASSERT_TRUE(reader.Skip(error));
    ASSERT_TRUE(reader.Skip(error));
    SgfTree tree;
    ASSERT_TRUE(reader.Next(tree, error));
    EXPECT_EQ(tree.nodes[0].Find("B")->values[0], "ee");
    EXPECT_FALSE(reader.Next(tree, error));
    EXPECT_EQ(error, "");
}
