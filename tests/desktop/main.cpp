// The desktop suites, one QApplication for all of them.

#include <QApplication>

#include "desktop/fonts.h"

namespace blokko::guitest {
int runEventsTests(int argc, char** argv);
int runRenderingTests(int argc, char** argv);
int runRepaintTests(int argc, char** argv);
int runKeyboardTests(int argc, char** argv);
int runHatchTests(int argc, char** argv);
} // namespace blokko::guitest

int main(int argc, char** argv)
{
    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication app(argc, argv);
    int failures = 0;
    failures += blokko::guitest::runEventsTests(argc, argv);
    failures += blokko::guitest::runRenderingTests(argc, argv);
    failures += blokko::guitest::runRepaintTests(argc, argv);
    failures += blokko::guitest::runKeyboardTests(argc, argv);
    failures += blokko::guitest::runHatchTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
