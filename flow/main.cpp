// Blokko: the difficulty window opens first; "GO!" starts the game.

#include <QApplication>

#include "flow/desktop_app.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Blokko"));
    QApplication::setApplicationVersion(QStringLiteral(BLOKKO_VERSION));
    // Lets the desktop match the windows with the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.blokko.Blokko"));
    // Hiding a window is part of play; only the windows' own close rules end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    blokko::view::DesktopApp desktop;
    return desktop.run();
}
