// The game started as its main() starts it, quitting after the first frame of the difficulty window:
// reports the time from launch to that frame and the peak resident memory.

#include <QApplication>

#include "bench/first_frame.h"
#include "flow/desktop_app.h"
#include "flow/difficulty_window.h"

int main(int argc, char* argv[])
{
    blokko::bench::FirstFrame frame(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Blokko"));
    QApplication::setQuitOnLastWindowClosed(false);

    blokko::view::DesktopApp desktop;
    QObject::connect(
        &desktop, &blokko::view::DesktopApp::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    frame.watch(*desktop.difficultyWindow());
    desktop.start();
    const int status = QApplication::exec();
    return frame.report() ? status : 1;
}
