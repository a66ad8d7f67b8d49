// The game started as its main() starts it, quitting after the first frame of the difficulty window:
// reports the time from launch to that frame and the peak resident memory.

#include <QApplication>

#include "bench/first_frame.h"
#include "desktop/desktop_app.h"
#include "desktop/difficulty_window.h"
#include "desktop/fonts.h"

int main(int argc, char* argv[])
{
    blokko::bench::FirstFrame frame(argc, argv);

    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication app(argc, argv);
    blokko::view::DesktopApp::prepareApplication();

    blokko::view::DesktopApp desktop;
    frame.watch(*desktop.difficultyWindow());
    const int status = desktop.run();
    return frame.report() ? status : 1;
}
