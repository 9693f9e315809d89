// The problem as a diagram the way books print one: the file's own corner
// and colours, cropped to the problem's area with the open sides' lines
// running out, star points, players' coordinates on the open sides, the
// targets' triangles and a caption.
#include <algorithm>
#include <string>

#include "sgf/sgf.h"

namespace {

constexpr int kCell = 24;         // distance of two lines
constexpr int kEdgePad = 15;      // board edge line to the picture's edge
constexpr int kOpenPad = 20;      // an open side: the lines run out this far
constexpr int kCoordBand = 18;    // room for the coordinates
constexpr int kCaptionBand = 26;  // the caption line under the board
constexpr int kCaptionSize = 13;

std::string Num(int n) { return std::to_string(n); }

// The part of the board drawn: columns x0..x1 and rows y0..y1.
struct Crop {
    int x0, x1, y0, y1, size;
    bool Contains(go::Loc loc) const
    {
        const int x = go::LocX(loc);
        const int y = go::LocY(loc);
        return x >= x0 && x <= x1 && y >= y0 && y <= y1;
    }
};

// Every stone, target and candidate with one line around them; a side
// that comes within two lines of the board's edge reaches it.
Crop ProblemArea(const go::Problem& problem)
{
    const int n = problem.board.Size();
    Crop c{n, 1, n, 1, n};
    auto take = [&c](go::Loc loc) {
        c.x0 = std::min(c.x0, go::LocX(loc));
        c.x1 = std::max(c.x1, go::LocX(loc));
        c.y0 = std::min(c.y0, go::LocY(loc));
        c.y1 = std::max(c.y1, go::LocY(loc));
    };
    for (int y = 1; y <= n; ++y)
        for (int x = 1; x <= n; ++x)
            if (go::IsStone(problem.board.At(go::MakeLoc(x, y))))
                take(go::MakeLoc(x, y));
    for (const go::Candidate& cand : problem.candidates)
        take(cand.at);
    if (c.x0 > c.x1)
        return Crop{1, n, 1, n, n};  // nothing on the board: all of it
    c.x0 = c.x0 <= 3 ? 1 : c.x0 - 1;
    c.y0 = c.y0 <= 3 ? 1 : c.y0 - 1;
    c.x1 = c.x1 >= n - 2 ? n : c.x1 + 1;
    c.y1 = c.y1 >= n - 2 ? n : c.y1 + 1;
    return c;
}

// The board's star points: four at the third or fourth line, the centre on
// odd boards, and the sides' middles on the large boards.
bool IsStarPoint(int n, int x, int y)
{
    if (n < 7)
        return false;
    const int d = n >= 13 ? 4 : 3;
    const int mid = n % 2 == 1 ? (n + 1) / 2 : 0;
    auto line = [&](int v) { return v == d || v == n + 1 - d || (v == mid && (n >= 15 || n % 2 == 1)); };
    if (x == mid && y == mid)
        return true;
    if (!line(x) || !line(y))
        return false;
    return n >= 15 || (x != mid && y != mid);
}

// Where the picture's parts lie, from the crop.
class Layout {
public:
    Layout(const Crop& crop, int captionWidth) : m_crop(crop)
    {
        // Coordinates go on the sides where the board's edge is not.
        m_lettersBelow = crop.y1 < crop.size || crop.y0 == 1;
        m_numbersRight = crop.x0 == 1 && crop.x1 < crop.size;
        m_left = Pad(crop.x0 > 1, !m_numbersRight);
        m_top = Pad(crop.y0 > 1, !m_lettersBelow);
        const int boardWidth = m_left + (crop.x1 - crop.x0) * kCell + Pad(crop.x1 < crop.size, m_numbersRight);
        m_width = std::max(boardWidth, captionWidth);
        m_left += (m_width - boardWidth) / 2;
        m_boardBottom = m_top + (crop.y1 - crop.y0) * kCell + Pad(crop.y1 < crop.size, m_lettersBelow);
    }

    int X(int column) const { return m_left + (column - m_crop.x0) * kCell; }
    int Y(int row) const { return m_top + (row - m_crop.y0) * kCell; }
    int Width() const { return m_width; }
    int BoardBottom() const { return m_boardBottom; }
    int Height() const { return m_boardBottom + kCaptionBand; }
    bool LettersBelow() const { return m_lettersBelow; }
    bool NumbersRight() const { return m_numbersRight; }
    // How far the lines of a side run past the last point: open sides run out.
    int RunOut(bool open) const { return open ? kOpenPad : 0; }

private:
    static int Pad(bool open, bool coordinates)
    {
        return (open ? kOpenPad : kEdgePad) + (coordinates ? kCoordBand : 0);
    }

    Crop m_crop;
    bool m_lettersBelow;
    bool m_numbersRight;
    int m_left;
    int m_top;
    int m_width;
    int m_boardBottom;
};

std::string Line(int x1, int y1, int x2, int y2, int width)
{
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y1) + "\" x2=\"" + Num(x2) + "\" y2=\"" + Num(y2) +
           "\" stroke-width=\"" + Num(width) + "\"/>\n";
}

// Text centred on (px, py); the baseline is set by hand, since viewers
// differ on dominant-baseline.
std::string Text(int px, int py, const std::string& text, const char* fill, int size)
{
    return "<text x=\"" + Num(px) + "\" y=\"" + Num(py + size * 7 / 20) + "\" fill=\"" + fill +
           "\" font-size=\"" + Num(size) + "\" text-anchor=\"middle\">" + text + "</text>\n";
}

// The grid: edge lines thicker, lines to an open side running out.
std::string Grid(const Crop& c, const Layout& l)
{
    std::string out = "<g stroke=\"#000\" stroke-linecap=\"square\">\n";
    const int left = l.X(c.x0) - l.RunOut(c.x0 > 1);
    const int right = l.X(c.x1) + l.RunOut(c.x1 < c.size);
    const int top = l.Y(c.y0) - l.RunOut(c.y0 > 1);
    const int bottom = l.Y(c.y1) + l.RunOut(c.y1 < c.size);
    for (int y = c.y0; y <= c.y1; ++y)
        out += Line(left, l.Y(y), right, l.Y(y), y == 1 || y == c.size ? 2 : 1);
    for (int x = c.x0; x <= c.x1; ++x)
        out += Line(l.X(x), top, l.X(x), bottom, x == 1 || x == c.size ? 2 : 1);
    out += "</g>\n";
    for (int y = c.y0; y <= c.y1; ++y)
        for (int x = c.x0; x <= c.x1; ++x)
            if (IsStarPoint(c.size, x, y))
                out += "<circle cx=\"" + Num(l.X(x)) + "\" cy=\"" + Num(l.Y(y)) + "\" r=\"3\" fill=\"#000\"/>\n";
    return out;
}

// Letters A-T (no I) along one side, numbers counted from the bottom edge
// up the other.
std::string Coordinates(const Crop& c, const Layout& l)
{
    static const char kLetters[] = "ABCDEFGHJKLMNOPQRST";
    std::string out;
    const int letterY = l.LettersBelow() ? l.BoardBottom() - kCoordBand / 2 : kCoordBand / 2;
    for (int x = c.x0; x <= c.x1; ++x)
        out += Text(l.X(x), letterY, std::string(1, kLetters[x - 1]), "#000", 11);
    const int numberX = l.NumbersRight() ? l.X(c.x1) + (c.x1 < c.size ? kOpenPad : kEdgePad) + kCoordBand / 2
                                         : l.X(c.x0) - (c.x0 > 1 ? kOpenPad : kEdgePad) - kCoordBand / 2;
    for (int y = c.y0; y <= c.y1; ++y)
        out += Text(numberX, l.Y(y), Num(c.size + 1 - y), "#000", 11);
    return out;
}

std::string Stones(const go::Problem& problem, const Crop& c, const Layout& l)
{
    std::string out;
    for (int y = c.y0; y <= c.y1; ++y)
        for (int x = c.x0; x <= c.x1; ++x) {
            const go::Color colour = problem.board.At(go::MakeLoc(x, y));
            if (!go::IsStone(colour))
                continue;
            const bool black = colour == go::Color::Black;
            out += "<circle cx=\"" + Num(l.X(x)) + "\" cy=\"" + Num(l.Y(y)) + "\" r=\"11\" fill=\"" +
                   (black ? "#000" : "#fff") + "\" stroke=\"#000\" stroke-width=\"1.2\"><title>" +
                   (black ? "Black " : "White ") + PlayerCoordinate(c.size, go::MakeLoc(x, y)) +
                   "</title></circle>\n";
        }
    return out;
}

std::string Triangle(int x, int y)
{
    return "<polygon points=\"" + Num(x) + "," + Num(y - 7) + " " + Num(x - 6) + "," + Num(y + 4) + " " +
           Num(x + 6) + "," + Num(y + 4) + "\" fill=\"none\" stroke=\"#d00\" stroke-width=\"2\"/>\n";
}

std::string Candidates(const go::Problem& problem, const Crop& c, const Layout& l)
{
    std::string out;
    for (const go::Candidate& m : problem.candidates) {
        if (!c.Contains(m.at))
            continue;
        const int x = l.X(go::LocX(m.at));
        const int y = l.Y(go::LocY(m.at));
        const go::Color colour = problem.board.At(m.at);
        if (colour == go::Color::Empty)  // the letter on a clear patch of board
            out += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"8\" fill=\"#fff\"/>\n";
        out += Text(x, y, std::string(1, go::LetterOf(m.kind)),
                    colour == go::Color::Black ? "#fff" : "#00c", 15);
    }
    return out;
}

std::string Caption(const go::Problem& problem, go::Verdict verdict)
{
    if (verdict == go::Verdict::Death || verdict == go::Verdict::Life || verdict == go::Verdict::Ko)
        return VerdictWords(problem, verdict);
    return problem.first == go::Color::Black ? "Black to play" : "White to play";
}

}  // namespace

std::string WriteSvg(const go::Problem& problem, go::Verdict verdict, const SvgOptions& options)
{
    const Crop crop = ProblemArea(problem);
    const std::string caption = Caption(problem, verdict);
    // About 7 px a letter at this size, and a little room at both ends.
    const Layout layout(crop, static_cast<int>(caption.size()) * 7 + 16);
    const std::string w = Num(layout.Width());
    const std::string h = Num(layout.Height());
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
        "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"sans-serif\">\n"
        "<title>" + caption + "</title>\n"
        "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    out += Grid(crop, layout) + Coordinates(crop, layout) + Stones(problem, crop, layout);
    for (go::Loc t : problem.targets)
        if (crop.Contains(t))
            out += Triangle(layout.X(go::LocX(t)), layout.Y(go::LocY(t)));
    if (options.candidates)
        out += Candidates(problem, crop, layout);
    out += Text(layout.Width() / 2, layout.BoardBottom() + kCaptionBand / 2, caption, "#000", kCaptionSize);
    out += "</svg>\n";
    return out;
}
