// The problem as a scalable diagram: Kovra's 11x11 board with its grid and
// star point, the stones, the targets' triangles and the candidates' letters.
#include <string>

#include "sgf/sgf.h"

namespace {

constexpr int kSide = 11;
constexpr int kCell = 24;    // distance of two lines
constexpr int kMargin = 30;  // board edge to the first line, room for coordinates

int Centre(int n) { return kMargin + (n - 1) * kCell; }

bool OnBoard(SgfPoint p) { return p.x >= 1 && p.x <= kSide && p.y >= 1 && p.y <= kSide; }

std::string Num(int n) { return std::to_string(n); }

std::string Circle(int x, int y, const char* r, const char* fill, const char* stroke)
{
    return "<circle cx=\"" + Num(Centre(x)) + "\" cy=\"" + Num(Centre(y)) + "\" r=\"" + r +
           "\" fill=\"" + fill + "\" stroke=\"" + stroke + "\"/>\n";
}

// Text centred on (px, py); the baseline is set by hand, since viewers
// differ on dominant-baseline.
std::string Text(int px, int py, const std::string& text, const char* fill, int size)
{
    return "<text x=\"" + Num(px) + "\" y=\"" + Num(py + size * 7 / 20) + "\" fill=\"" + fill +
           "\" font-size=\"" + Num(size) + "\" text-anchor=\"middle\">" + text + "</text>\n";
}

std::string Grid()
{
    std::string out;
    const int first = Centre(1);
    const int last = Centre(kSide);
    for (int n = 1; n <= kSide; ++n) {
        const std::string c = Num(Centre(n));
        out += "<line x1=\"" + Num(first) + "\" y1=\"" + c + "\" x2=\"" + Num(last) + "\" y2=\"" + c + "\"/>\n";
        out += "<line x1=\"" + c + "\" y1=\"" + Num(first) + "\" x2=\"" + c + "\" y2=\"" + Num(last) + "\"/>\n";
    }
    return out + Circle(6, 6, "2.5", "#000", "none");
}

// Column numbers above the board, row numbers left of it.
std::string Coordinates()
{
    std::string out;
    for (int n = 1; n <= kSide; ++n) {
        out += Text(Centre(n), kMargin / 2 - 2, Num(n), "#000", 10);
        out += Text(kMargin / 2 - 2, Centre(n), Num(n), "#000", 10);
    }
    return out;
}

std::string Triangle(SgfPoint p, const char* colour)
{
    const int x = Centre(p.x);
    const int y = Centre(p.y);
    return "<polygon points=\"" + Num(x) + "," + Num(y - 6) + " " + Num(x - 6) + "," + Num(y + 4) + " " +
           Num(x + 6) + "," + Num(y + 4) + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2\"/>\n";
}

}  // namespace

std::string WriteSvg(const KovraProblem& problem, bool coordinates)
{
    const int size = 2 * kMargin + (kSide - 1) * kCell;
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Num(size) + "\" height=\"" + Num(size) +
        "\" viewBox=\"0 0 " + Num(size) + " " + Num(size) + "\" font-family=\"sans-serif\">\n"
        "<rect width=\"100%\" height=\"100%\" fill=\"#dcb35c\"/>\n"
        "<g stroke=\"#000\" stroke-width=\"1\">\n" + Grid() + "</g>\n";
    if (coordinates)
        out += Coordinates();
    for (int y = 1; y <= kSide; ++y)
        for (int x = 1; x <= kSide; ++x) {
            const unsigned char c = problem.stone[y - 1][x - 1];
            if (c == 1)
                out += Circle(x, y, "11", "#000", "#000");
            else if (c == 2)
                out += Circle(x, y, "11", "#fff", "#000");
        }
    for (const SgfPoint& t : problem.targets)
        if (OnBoard(t))
            out += Triangle(t, "#d00");
    for (const SgfSource::Candidate& m : problem.moves) {
        if (!OnBoard(m.at))
            continue;
        const unsigned char c = problem.stone[m.at.y - 1][m.at.x - 1];
        if (c == 0)  // the letter on a clear patch of board
            out += Circle(m.at.x, m.at.y, "7", "#dcb35c", "none");
        out += Text(Centre(m.at.x), Centre(m.at.y), std::string(1, m.kind), c == 1 ? "#fff" : "#00c", 15);
    }
    out += "</svg>\n";
    return out;
}
