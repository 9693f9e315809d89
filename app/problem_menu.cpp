#include "problem_menu.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

#include <QBuffer>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSvgRenderer>

#include "board/kovra_view.h"
#include "board_widget.h"
#include "main_frame.h"
#include "platform/replace_file.h"
#include "sgf/sgf_stream.h"
#include "solver/solution_walk.h"

namespace {


// Menu-select ids of the items, after the other pop-ups' ids.
constexpr unsigned kOpenId = 32792;
constexpr unsigned kSaveId = 32793;
constexpr unsigned kExportId = 32794;
constexpr unsigned kCheckId = 32795;
constexpr int kTreeLimit = 2000;

std::string BaseName(const std::string& path)
{
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

}  // namespace

QMenu* CProblemMenu::AddTo(QMenuBar* bar)
{
    QMenu* menu = bar->addMenu(QStringLiteral("Problem"));
    struct Item {
        const char* label;
        unsigned id;
        void (CProblemMenu::*handler)();
    };
    const Item items[] = {{"Open SGF...", kOpenId, &CProblemMenu::OnOpen},
                          {"Save SGF...", kSaveId, &CProblemMenu::OnSave},
                          {"Export PNG...", kExportId, &CProblemMenu::OnExport},
                          {"Check first moves", kCheckId, &CProblemMenu::OnCheckFirstMoves}};
    for (const Item& item : items) {
        QAction* action = menu->addAction(QString::fromUtf8(item.label));
        action->setData(item.id);
        void (CProblemMenu::*handler)() = item.handler;
        QObject::connect(action, &QAction::triggered, &m_frame, [this, handler] { (this->*handler)(); });
    }
    return menu;
}

bool CProblemMenu::NoDialogs()
{
    if (!m_frame.Scripted())
        return false;
    Show("no file dialogs in scripts: use open-sgf, save-sgf, export-png or snapshot");
    return true;
}

void CProblemMenu::Show(const std::string& text)
{
    m_view.ShowStatus(text.c_str());
}

bool CProblemMenu::RefusedAsInput(const std::string& path)
{
    if (!m_frame.Inputs().Holds(path))
        return false;
    Show(BaseName(path) + ": error: " + kOutputIsAnInput);
    return true;
}

bool CProblemMenu::Open(const std::string& argument, int index, const std::string& indexText)
{
    // "FILE.sgf#N" names the problem itself.
    std::string path = argument;
    int named = 0;
    if (SplitProblemPath(argument, path, named) && named > 0)
        index = named;
    const std::string name = BaseName(path);
    // The file is read one game tree at a time: only the problem asked for
    // is kept, whatever the collection's size.
    std::size_t count = 0;
    std::string error;
    {
        SgfTreeReader counter;
        error = counter.Open(path.c_str());
        if (error.empty()) {
            m_frame.Inputs().Add(path);  // no output may overwrite it now
            count = CountSgfTrees(counter, error);
        }
    }
    if (error.empty() && (index < 1 || static_cast<std::size_t>(index) > count))
        error = "no problem " + (indexText.empty() ? std::to_string(index) : indexText) +
                " (the file holds " + std::to_string(count) + ")";
    SgfTree tree;
    if (error.empty())
        error = ReadSgfTreeAt(path.c_str(), static_cast<std::size_t>(index), tree);
    SgfSource source;
    KovraProblem problem;
    if (error.empty())
        error = ReadSource(tree, source);
    if (error.empty())
        error = PoseProblem(source, PoseOptions(), problem);
    if (!error.empty()) {
        Show(name + ": error: " + error);
        return false;
    }
    LoadProblem(m_view, problem);
    m_problem = problem;
    m_opened = true;
    m_view.m_pointName = [this](int x, int y) { return PointName(x, y); };
    const std::string label = count > 1 ? name + "#" + std::to_string(index) : name;
    Show(label + ": " + (problem.live ? "start to live" : "start to kill"));
    return true;
}

bool CProblemMenu::StillOpened() const
{
    return m_opened && SameSetup(ProblemOfView(m_view), m_problem);
}

std::string CProblemMenu::PointName(int x, int y) const
{
    if (!StillOpened())
        return "(" + std::to_string(y) + "," + std::to_string(x) + ")";
    const SgfPoint p{x, y};
    return PlayerCoordinate(m_problem.sourceSize, m_problem.FileLoc(p)) + " (" + m_problem.SourceLetters(p) + ")";
}

KovraProblem CProblemMenu::CurrentProblem() const
{
    KovraProblem problem = ProblemOfView(m_view);
    const bool solved = m_view.m_solverSide == 'b' || m_view.m_solverSide == 'w';
    if (StillOpened()) {
        problem.sourceSize = m_problem.sourceSize;
        problem.symmetry = m_problem.symmetry;
        problem.swapped = m_problem.swapped;
        problem.info = m_problem.info;
        if (!solved)
            problem.live = m_problem.live;
    }
    return problem;
}

bool CProblemMenu::Save(const std::string& path)
{
    const std::string name = BaseName(path);
    if (RefusedAsInput(path))
        return false;
    const std::string sgf = WriteSgf(m_view, CurrentProblem(), SgfWriteOptions{kTreeLimit, SgfStyle::Kovra});
    if (!ReplaceFileWith(path.c_str(), sgf.data(), sgf.size())) {
        Show(name + ": error: cannot write");
        return false;
    }
    Show("saved " + name);
    return true;
}

// The opened problem drawn as its diagram: the file's corner, colours and
// coordinates, the verdict of the run on it in the caption.
QByteArray CProblemMenu::DiagramPng()
{
    const KovraProblem problem = CurrentProblem();
    const go::Verdict verdict = ReadAnswer(m_view, problem, 0, kAllFirstMoves).outcome;
    QSvgRenderer renderer(QByteArray::fromStdString(WriteSvg(OnFileBoard(problem), verdict, SvgOptions())));
    QImage image(renderer.defaultSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        png.clear();
    return png;
}

bool CProblemMenu::ExportPng(const std::string& path)
{
    const std::string name = BaseName(path);
    if (RefusedAsInput(path))
        return false;
    bool written = false;
    if (StillOpened()) {
        const QByteArray png = DiagramPng();
        written = !png.isEmpty() && ReplaceFileWith(path.c_str(), png.constData(), static_cast<std::size_t>(png.size()));
    } else {
        CBoardWidget* board = m_frame.BoardWidget();
        board->EnsureImage();
        written = board->SavePng(path);
    }
    if (!written) {
        Show(name + ": error: cannot write");
        return false;
    }
    Show("exported " + name);
    return true;
}

void CProblemMenu::OnOpen()
{
    if (NoDialogs())
        return;
    // Any name is taken, so that "FILE.sgf#N" can name one problem.
    QFileDialog dialog(&m_frame, QStringLiteral("Open SGF"), QString(),
                       QStringLiteral("SGF files (*.sgf *.SGF);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string argument = dialog.selectedFiles().first().toStdString();
    std::string path = argument;
    int index = 0;
    SplitProblemPath(argument, path, index);
    // A collection without a problem named: the player picks the problem.
    std::string error;
    const std::size_t count = index == 0 ? CountSgfTrees(path.c_str(), error) : 0;
    if (error.empty() && count > 1) {
        bool ok = false;
        const int most = static_cast<int>(std::min<std::size_t>(count, INT_MAX));
        index = QInputDialog::getInt(&m_frame, QStringLiteral("Open SGF"),
                                     QStringLiteral("Problem (1 to %1):").arg(most), 1, 1, most, 1,
                                     &ok);
        if (!ok)
            return;
    }
    Open(path, index > 0 ? index : 1);
}

void CProblemMenu::OnSave()
{
    if (NoDialogs())
        return;
    const QString path = QFileDialog::getSaveFileName(&m_frame, QStringLiteral("Save SGF"), QString(),
                                                      QStringLiteral("SGF files (*.sgf)"));
    if (!path.isEmpty())
        Save(path.toStdString());
}

void CProblemMenu::OnCheckFirstMoves()
{
    m_view.OnCheckFirstMoves();
}

void CProblemMenu::OnExport()
{
    if (NoDialogs())
        return;
    const QString path = QFileDialog::getSaveFileName(&m_frame, QStringLiteral("Export PNG"), QString(),
                                                      QStringLiteral("PNG images (*.png)"));
    if (!path.isEmpty())
        ExportPng(path.toStdString());
}
