// Blokko: the difficulty window opens first; "GO!" starts the game.

#include <QApplication>
#include <cstdio>

#include "desktop/command_line.h"
#include "desktop/desktop_app.h"
#include "desktop/fonts.h"

int main(int argc, char* argv[])
{
    // Before QApplication: --help and --version need no display and open no window.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const blokko::view::CommandLine command = blokko::view::parseCommandLine(arguments);
    if (command.action != blokko::view::CommandLine::Action::Play) {
        std::FILE* out = command.action == blokko::view::CommandLine::Action::Print ? stdout : stderr;
        std::fputs(command.text.toLocal8Bit().constData(), out);
        return command.status;
    }

    blokko::view::useLookAlikeFontsOnly();
    QApplication app(argc, argv);
    blokko::view::DesktopApp::prepareApplication();

    blokko::view::DesktopApp desktop;
    return desktop.run();
}
