#include "problem_menu.h"

#include <cstdio>
#include <vector>

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>

#include "board/kovra_view.h"
#include "board_widget.h"
#include "main_frame.h"
#include "platform/replace_file.h"

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
    Show("no file dialogs in scripts: use open-sgf, save-sgf or snapshot");
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

bool CProblemMenu::Open(const std::string& path, int index, const std::string& indexText)
{
    const std::string name = BaseName(path);
    std::string text;
    std::vector<SgfTree> trees;
    std::string error = ReadSgfFile(path.c_str(), text);
    if (error.empty())
        m_frame.Inputs().Add(path);  // no output may overwrite it now
    if (error.empty())
        error = ParseSgf(text, trees);
    if (error.empty() && (index < 1 || index > static_cast<int>(trees.size())))
        error = "no problem " + (indexText.empty() ? std::to_string(index) : indexText) +
                " (the file holds " + std::to_string(trees.size()) + ")";
    SgfSource source;
    KovraProblem problem;
    if (error.empty())
        error = ReadSource(trees[static_cast<std::size_t>(index - 1)], source);
    if (error.empty())
        error = PoseProblem(source, PoseOptions(), problem);
    if (!error.empty()) {
        Show(name + ": error: " + error);
        return false;
    }
    LoadProblem(m_view, problem);
    m_problem = problem;
    m_opened = true;
    const std::string label = trees.size() > 1 ? name + "#" + std::to_string(index) : name;
    Show(label + ": " + (problem.live ? "start to live" : "start to kill"));
    return true;
}

KovraProblem CProblemMenu::CurrentProblem() const
{
    KovraProblem problem = ProblemOfView(m_view);
    const bool solved = m_view.m_solverSide == 'b' || m_view.m_solverSide == 'w';
    if (m_opened && SameSetup(problem, m_problem)) {
        problem.sourceSize = m_problem.sourceSize;
        problem.symmetry = m_problem.symmetry;
        problem.swapped = m_problem.swapped;
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
    const std::string sgf = WriteSgf(m_view, CurrentProblem(), kTreeLimit);
    if (!ReplaceFileWith(path.c_str(), sgf.data(), sgf.size())) {
        Show(name + ": error: cannot write");
        return false;
    }
    Show("saved " + name);
    return true;
}

bool CProblemMenu::ExportPng(const std::string& path)
{
    const std::string name = BaseName(path);
    if (RefusedAsInput(path))
        return false;
    CBoardWidget* board = m_frame.BoardWidget();
    board->EnsureImage();
    if (!board->SavePng(path)) {
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
    const QString path = QFileDialog::getOpenFileName(&m_frame, QStringLiteral("Open SGF"), QString(),
                                                      QStringLiteral("SGF files (*.sgf *.SGF);;All files (*)"));
    if (path.isEmpty())
        return;
    // A collection: the player picks the problem.
    std::string text;
    std::vector<SgfTree> trees;
    int index = 1;
    if (ReadSgfFile(path.toStdString().c_str(), text).empty() && ParseSgf(text, trees).empty() &&
        trees.size() > 1) {
        bool ok = false;
        index = QInputDialog::getInt(&m_frame, QStringLiteral("Open SGF"),
                                     QStringLiteral("Problem (1 to %1):").arg(trees.size()), 1, 1,
                                     static_cast<int>(trees.size()), 1, &ok);
        if (!ok)
            return;
    }
    Open(path.toStdString(), index);
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
