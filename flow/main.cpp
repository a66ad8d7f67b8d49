// Blokko: the difficulty window opens first; "GO!" starts the game.

#include <QApplication>

#include "flow/desktop_app.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    blokko::view::DesktopApp::prepareApplication();

    blokko::view::DesktopApp desktop;
    return desktop.run();
}
