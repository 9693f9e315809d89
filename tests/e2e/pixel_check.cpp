// Checks pixels of PNG pictures that a script wrote. Each line of the check
// file is one of
//   at   FILE X Y R G B              the pixel (X, Y) has exactly this colour
//   some FILE X0 Y0 X1 Y1 R G B      a pixel of the rectangle has it
//   none FILE X0 Y0 X1 Y1 R G B      no pixel of the rectangle has it
// (rectangles include both corners). Usage: kovra_pixel_check CHECKS DIR
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include <QColor>
#include <QImage>

namespace {

int CountColour(const QImage& image, int x0, int y0, int x1, int y1, QRgb colour)
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kovra_pixel_check CHECKS DIR\n");
        return 2;
    }
    std::ifstream checks(argv[1]);
    if (!checks) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    int failures = 0;
    std::string line;
    while (std::getline(checks, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string kind;
        std::string file;
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0, r = 0, g = 0, b = 0;
        words >> kind >> file >> x0 >> y0;
        if (kind == "at") {
            x1 = x0;
            y1 = y0;
        } else {
            words >> x1 >> y1;
        }
        words >> r >> g >> b;
        if (!words || (kind != "at" && kind != "some" && kind != "none")) {
            std::fprintf(stderr, "bad check: %s\n", line.c_str());
            return 2;
        }
        const QImage image(QString::fromStdString(std::string(argv[2]) + "/" + file));
        if (image.isNull()) {
            std::fprintf(stderr, "cannot read %s\n", file.c_str());
            ++failures;
            continue;
        }
        const int n = CountColour(image, x0, y0, x1, y1, qRgb(r, g, b));
        const bool ok = kind == "none" ? n == 0 : n > 0;
        if (!ok) {
            const QRgb seen = image.valid(x0, y0) ? image.pixel(x0, y0) : 0;
            std::fprintf(stderr, "pixel check failed: %s (pixel %d,%d is %d,%d,%d)\n", line.c_str(),
                         x0, y0, qRed(seen), qGreen(seen), qBlue(seen));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
