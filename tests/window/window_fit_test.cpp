// The window at its own size (298 x 354 pixels), drawn off screen: every
// pop-up's title stands in the menu bar, and the progress of a read shows
// in full at its widest.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include "kovra_app.h"
#include "main_frame.h"
#include "progress_text.h"

namespace {

// The window as the program opens it, echoing its messages as scripts do.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_app.InitInstance(std::string(), true));
        QApplication::processEvents();
    }
    CMainFrame& Frame() { return m_app.Frame(); }

private:
    CKovraApp m_app;
};

TEST_F(WindowTest, EveryPopupTitleStandsInTheMenuBar)
{
    QMenuBar* bar = Frame().menuBar();
    ASSERT_EQ(Frame().width(), 298);
    ASSERT_EQ(bar->actions().size(), 6);
    for (QAction* popup : bar->actions()) {
        const QRect title = bar->actionGeometry(popup);
        EXPECT_FALSE(title.isEmpty()) << popup->text().toStdString();
        EXPECT_TRUE(bar->rect().contains(title)) << popup->text().toStdString();
    }
    const QWidget* overflow = bar->findChild<QWidget*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(overflow == nullptr || !overflow->isVisible());
}

// The status bar's label showing text, or null.
const QLabel* LabelShowing(CMainFrame& frame, const QString& text)
{
    for (const QLabel* label : frame.statusBar()->findChildren<QLabel*>())
        if (label->text() == text && label->isVisible())
            return label;
    return nullptr;
}

TEST_F(WindowTest, TheWidestProgressAndTheReadsMessagesShowInFull)
{
    // Entry 15, and counts whose short forms take the most room, beside the
    // longest message a read shows while it runs.
    const QString widest = QString::fromStdString(ProgressText(14, 99900000, 1.0));
    const QString message = QStringLiteral("processed 15 of f-moves");
    Frame().SetBusy(true);
    Frame().ShowProgress(widest);
    Frame().SetMessageText(message.toUtf8().constData());
    QApplication::processEvents();
    for (const QString& text : {widest, message}) {
        const QLabel* label = LabelShowing(Frame(), text);
        ASSERT_NE(label, nullptr) << text.toStdString();
        EXPECT_GE(label->width(), label->sizeHint().width()) << text.toStdString();
    }
    Frame().SetBusy(false);
}

}  // namespace

int main(int argc, char** argv)
{
    // Off screen, so that no display is needed and every run draws alike.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
