// Blokko: the difficulty window opens first; "GO!" starts the game.

#include <QApplication>

#include "desktop/desktop_app.h"
#include "desktop/fonts.h"

int main(int argc, char* argv[])
{
    blokko::view::useLookAlikeFontsOnly();
    QApplication app(argc, argv);
    blokko::view::DesktopApp::prepareApplication();

    blokko::view::DesktopApp desktop;
    return desktop.run();
}
