// Kovra: reads out life-and-death problems on an 11x11 board.
//   kovra [FILE]             the window (FILE: a document to open)
//   kovra --script SCRIPT    plays a script (or standard input for "-")
//   kovra --help | --version prints and exits, without a display
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <new>

#include <unistd.h>

#include <QApplication>
#include <QMessageBox>

#include "board_widget.h"
#include "kovra_app.h"
#include "main_frame.h"
#include "script_event.h"
#include "script_runner.h"

namespace {

bool HasValue(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

const char kHelp[] =
    "usage: kovra [FILE | FILE.sgf | FILE.sgf#N]\n"
    "       kovra --script SCRIPT\n"
    "\n"
    "Reads out Go life-and-death problems on an 11x11 board in a window.\n"
    "FILE.sgf opens the first problem of an SGF file, FILE.sgf#N its N-th.\n"
    "--script SCRIPT plays a script of events (\"-\": standard input) off\n"
    "screen and exits: 0 when every line ran, 2 otherwise.\n"
    "--help shows this text, --version the version.\n";

// --help or --version anywhere: printed here, before Qt needs a display.
int PrintInfo(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kovra %s\n", KOVRA_VERSION);
            return 0;
        }
    }
    return -1;
}

bool WantsScript(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--script") == 0)
            return true;
    return false;
}

// The window could not be made: a message box says so (a script says it
// on standard error).
void ShowOutOfMemory(bool scripted)
{
    if (scripted) {
        std::fprintf(stderr, "msgbox: out of memory\n");
        return;
    }
    QMessageBox::critical(nullptr, QStringLiteral("Kovra"), QStringLiteral("out of memory"));
}

}  // namespace

int main(int argc, char** argv)
{
    const int info = PrintInfo(argc, argv);
    if (info >= 0)
        return std::fflush(stdout) == 0 ? info : 2;
    // Scripts need no display: they draw off screen, so that a missing or
    // unreachable display cannot stop them and every run draws alike.
    if (WantsScript(argc, argv) && !HasValue("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);

    std::string scriptPath;
    std::string document;
    bool scripted = false;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--script")) {
            if (i + 1 >= args.size()) {
                std::fprintf(stderr, "usage: kovra [FILE] | kovra --script FILE\n");
                return 2;
            }
            scripted = true;
            scriptPath = args[++i].toStdString();
        } else {
            document = args[i].toStdString();
        }
    }

    CScriptSource script;
    if (scripted && !script.Open(scriptPath)) {
        std::fprintf(stderr, "script: cannot open %s\n", scriptPath.c_str());
        return 2;
    }

    CKovraApp app;
    try {
        if (!app.InitInstance(document, scripted))
            return 1;
    } catch (const std::bad_alloc&) {
        ShowOutOfMemory(scripted);
        return 2;
    }
    if (!scripted)
        return application.exec();

    // The first paint (and its welcome text) comes before the first event.
    QApplication::processEvents();
    app.Frame().BoardWidget()->EnsureImage();
    // The script is read as it is played: no snapshot or saved file may replace it.
    if (scriptPath == "-")
        app.Frame().Inputs().Add(STDIN_FILENO);
    else
        app.Frame().Inputs().Add(scriptPath);
    const int status = RunScript(app.Frame(), app.View(), script);
    // Reports lost on standard output or standard error fail the run too.
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::ferror(stderr)) {
        std::fprintf(stderr, "script: cannot write the output\n");
        return status != 0 ? status : 1;
    }
    return status;
}
