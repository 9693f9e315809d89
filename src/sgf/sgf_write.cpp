// The problem written back as SGF on its file's board, with the file's own
// root information, the verdict and the solution tree of a reading.
#include <string>
#include <vector>

#include "sgf/sgf.h"
#include "sgf/sgf_charset.h"

namespace {

// ---- the tree ------------------------------------------------------------

int Moves(const std::vector<go::TreeMove>& tree)
{
    int n = 0;
    for (const go::TreeMove& m : tree)
        n += 1 + Moves(m.next);
    return n;
}

// Keeps the first room moves of the tree in the order a walk adds them
// (each move before those that follow it), as a walk with that limit would
// have stopped: a move whose followers all go says so, and cut is set when
// some are dropped. Returns the moves kept.
int KeepFirst(std::vector<go::TreeMove>& tree, int room, bool& cut, go::TreeMove* parent)
{
    int kept = 0;
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (kept >= room) {
            if (i == 0 && parent != nullptr)
                parent->cut = true;
            tree.resize(i);
            cut = true;
            break;
        }
        ++kept;
        kept += KeepFirst(tree[i].next, room - kept, cut, &tree[i]);
    }
    return kept;
}

// ---- SGF text ------------------------------------------------------------

std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ']' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

char ColourLetter(go::Player p) { return p == go::Color::Black ? 'B' : 'W'; }

// What the last move of a line says.
struct LeafWords {
    std::string line;  // "Correct", "Wrong" or "RIGHT"; empty: nothing
    std::string ko;    // the same for a line that ends in a ko
};

LeafWords Leaf(bool correct, SgfStyle style)
{
    if (style == SgfStyle::GoProblems)
        return correct ? LeafWords{"RIGHT", "RIGHT: ko"} : LeafWords{"Wrong", "Wrong: ko"};
    return correct ? LeafWords{"Correct", "Correct: ko"} : LeafWords{"Wrong", "Wrong: ko"};
}

class TreeText {
public:
    explicit TreeText(const LeafWords& leaf) : m_leaf(leaf) {}

    // A sequence: the move, its only follower inline, several as variations.
    void Moves(const std::vector<go::TreeMove>& moves, std::string& out) const
    {
        if (moves.size() == 1)
            Move(moves[0], out);
        else
            Variations(moves, out);
    }

    // Each move as a variation of its own, also a single one.
    void Variations(const std::vector<go::TreeMove>& moves, std::string& out) const
    {
        for (const go::TreeMove& m : moves) {
            out += "\n(";
            Move(m, out);
            out += ")";
        }
    }

private:
    void Move(const go::TreeMove& m, std::string& out) const
    {
        out += ";";
        out += ColourLetter(m.player);
        out += "[" + SgfLetters(m.at) + "]";
        const std::string comment = Comment(m);
        if (!comment.empty())
            out += "C[" + Escape(comment) + "]";
        Moves(m.next, out);
    }

    // The move's own comment; on a last move what the line came to, and
    // always when the tree limit cut the line there.
    std::string Comment(const go::TreeMove& m) const
    {
        const std::string cut = "Cut by the tree limit.";
        if (!m.next.empty())
            return m.comment;
        if (m.cut)
            return m.comment.empty() ? cut : m.comment + "\n" + cut;
        if (!m.comment.empty())
            return m.comment;
        return m.ko ? m_leaf.ko : m_leaf.line;
    }

    LeafWords m_leaf;
};

// ---- the root ------------------------------------------------------------

// The properties Kovra writes itself from the problem; the file's own
// values of these are left out.
bool WrittenByKovra(const std::string& id)
{
    static const char* const ids[] = {"FF", "GM", "CA", "AP", "SZ", "PL", "AB", "AW", "AE",
                                      "TR", "MA", "LB", "C",  "B",  "W"};
    for (const char* own : ids)
        if (id == own)
            return true;
    return false;
}

const SgfProperty* FindInfo(const std::vector<SgfProperty>& info, const char* id)
{
    for (const SgfProperty& p : info)
        if (p.id == id && !p.values.empty())
            return &p;
    return nullptr;
}

// The file's root text in the charset written: converted to UTF-8 when the
// file names another charset that can be read.
class RootText {
public:
    explicit RootText(const std::vector<SgfProperty>& info) : m_info(info)
    {
        const SgfProperty* ca = FindInfo(info, "CA");
        const std::string charset = ca != nullptr ? ca->values[0] : std::string();
        if (ca == nullptr || IsUtf8Name(charset)) {
            // Kept as it is; said to be UTF-8 when it reads as UTF-8 (without
            // CA a file's default charset stays in force otherwise).
            m_charset = ca != nullptr || AllUtf8() ? "UTF-8" : "";
            return;
        }
        m_info = Converted(charset);
        m_charset = m_converted ? "UTF-8" : charset;
    }

    const std::string& Charset() const { return m_charset; }
    const std::vector<SgfProperty>& Info() const { return m_info; }

private:
    bool AllUtf8() const
    {
        for (const SgfProperty& p : m_info)
            for (const std::string& v : p.values)
                if (!IsUtf8(v))
                    return false;
        return true;
    }

    std::vector<SgfProperty> Converted(const std::string& charset)
    {
        std::vector<SgfProperty> info = m_info;
        for (SgfProperty& p : info)
            for (std::string& v : p.values)
                if (!ConvertToUtf8(charset, v))
                    return m_info;
        m_converted = true;
        return info;
    }

    std::vector<SgfProperty> m_info;
    std::string m_charset;
    bool m_converted = false;
};

// The first line of Kovra's own paragraph: a file Kovra wrote comes back
// with its verdict paragraph, which the new verdict replaces.
bool IsKovraParagraph(const std::string& paragraph)
{
    const std::string first = paragraph.substr(0, paragraph.find('\n'));
    const std::string tail = "played).";
    return first == "Not solved." ||
           (first.find(" Kovra: ") != std::string::npos && first.size() >= tail.size() &&
            first.compare(first.size() - tail.size(), tail.size(), tail) == 0);
}

// The file's comment, then the verdict as a paragraph of its own.
std::string RootComment(const std::vector<SgfProperty>& info, const std::string& verdict)
{
    const SgfProperty* c = FindInfo(info, "C");
    std::string own = c != nullptr ? c->values[0] : std::string();
    const std::string::size_type last = own.rfind("\n\n");
    const std::string::size_type start = last == std::string::npos ? 0 : last + 2;
    if (IsKovraParagraph(own.substr(start)))
        own.erase(last == std::string::npos ? 0 : last);
    return own.empty() ? verdict : own + "\n\n" + verdict;
}

// The file's labels that are no candidates, on points without a candidate.
std::string OtherLabels(const go::Problem& problem, const std::vector<SgfProperty>& info)
{
    std::string out;
    for (const SgfProperty& p : info) {
        if (p.id != "LB")
            continue;
        for (const std::string& v : p.values) {
            const std::string label = v.size() > 3 ? v.substr(3) : std::string();
            bool candidate = label == "f" || label == "m" || label == "y" || label == "z";
            for (const go::Candidate& c : problem.candidates)
                candidate = candidate || v.compare(0, 2, SgfLetters(c.at)) == 0;
            if (!candidate && v.size() >= 3 && v[2] == ':')
                out += "[" + Escape(v) + "]";
        }
    }
    return out;
}

std::string Stones(const go::Problem& problem, go::Color colour)
{
    std::string points;
    const int size = problem.board.Size();
    for (int y = 1; y <= size; ++y)
        for (int x = 1; x <= size; ++x)
            if (problem.board.At(go::MakeLoc(x, y)) == colour)
                points += "[" + SgfLetters(go::MakeLoc(x, y)) + "]";
    return points;
}

std::string RootNode(const go::Problem& problem, const RootText& root, const std::string& comment)
{
    std::string out = "(;FF[4]GM[1]";
    if (!root.Charset().empty())
        out += "CA[" + Escape(root.Charset()) + "]";
    out += "AP[Kovra:1.1]SZ[" + std::to_string(problem.board.Size()) + "]PL[";
    out += ColourLetter(problem.first);
    out += "]";
    std::string kept;
    for (const SgfProperty& p : root.Info()) {
        if (WrittenByKovra(p.id))
            continue;
        kept += p.id;
        for (const std::string& v : p.values)
            kept += "[" + Escape(v) + "]";
    }
    if (!kept.empty())
        out += "\n" + kept;
    const std::string black = Stones(problem, go::Color::Black);
    const std::string white = Stones(problem, go::Color::White);
    if (!black.empty())
        out += "\nAB" + black;
    if (!white.empty())
        out += "\nAW" + white;
    if (!problem.targets.empty()) {
        out += "\nTR";
        for (go::Loc t : problem.targets)
            out += "[" + SgfLetters(t) + "]";
    }
    std::string labels;
    for (const go::Candidate& c : problem.candidates)
        labels += "[" + SgfLetters(c.at) + ":" + go::LetterOf(c.kind) + "]";
    labels += OtherLabels(problem, root.Info());
    if (!labels.empty())
        out += "\nLB" + labels;
    out += "\nC[" + Escape(comment) + "]";
    return out;
}

// The first player reaches the goal (or the ko) the reading found.
bool FirstWins(const go::Problem& problem, go::Verdict outcome)
{
    const go::Verdict goal = problem.FirstGoal() == go::Goal::Kill ? go::Verdict::Death : go::Verdict::Life;
    return outcome == go::Verdict::Ko || outcome == goal;
}

}  // namespace

std::string VerdictWords(const go::Problem& problem, go::Verdict verdict)
{
    const std::string who = std::string(problem.first == go::Color::Black ? "Black" : "White") + " to play ";
    const bool kill = problem.FirstGoal() == go::Goal::Kill;
    switch (verdict) {
    case go::Verdict::Death: return who + (kill ? "kills." : "cannot live.");
    case go::Verdict::Life: return who + (kill ? "cannot kill." : "lives.");
    case go::Verdict::Ko: return who + (kill ? "kills by ko." : "lives only by ko.");
    case go::Verdict::Exhausted: return "Undecided: the reading reached its ply limit.";
    default: return "Undecided.";
    }
}

std::string WriteSgf(const go::Problem& problem, const std::vector<SgfProperty>& info,
                     const SgfAnswer& answer, std::vector<go::TreeMove> moreFirstMoves,
                     const SgfWriteOptions& options)
{
    const int limit = options.treeLimit;
    bool cut = answer.cut;
    if (limit > 0)
        KeepFirst(moreFirstMoves, limit - Moves(answer.tree), cut, nullptr);
    else
        moreFirstMoves.clear();  // no tree at all
    std::string verdict = answer.verdict;
    if (answer.decided && limit <= 0)
        verdict += "\nThe solution tree is left out (tree limit 0).";
    else if (cut)
        verdict += "\nThe solution tree stops at " + std::to_string(limit) + (limit == 1 ? " move" : " moves") +
                   " (tree limit); some lines are left out.";
    const RootText root(info);
    std::string out = RootNode(problem, root, RootComment(root.Info(), verdict));
    const TreeText lines(Leaf(FirstWins(problem, answer.outcome), options.style));
    if (moreFirstMoves.empty()) {
        lines.Moves(answer.tree, out);
    } else {
        lines.Variations(answer.tree, out);
        TreeText(Leaf(false, options.style)).Variations(moreFirstMoves, out);
    }
    out += ")\n";
    return out;
}
