// The desktop stress suites, one QApplication for all of them, set up as the program sets up its own.

#include <QApplication>

#include "desktop/desktop_app.h"
#include "desktop/fonts.h"

namespace blokko::stress {
int runHeldKeysTests(int argc, char** argv);
int runRestartsTests(int argc, char** argv);
int runClosingTests(int argc, char** argv);
} // namespace blokko::stress

int main(int argc, char** argv)
{
    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication app(argc, argv);
    blokko::view::DesktopApp::prepareApplication(); // as the program runs
    int failures = 0;
    failures += blokko::stress::runHeldKeysTests(argc, argv);
    failures += blokko::stress::runRestartsTests(argc, argv);
    failures += blokko::stress::runClosingTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
