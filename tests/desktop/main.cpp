// The desktop suites, one QApplication for all of them.

#include <QApplication>

#include "desktop/fonts.h"

namespace blokko::test {
int runEventsTests(int argc, char** argv);
int runRenderingTests(int argc, char** argv);
int runRepaintTests(int argc, char** argv);
int runKeyboardTests(int argc, char** argv);
int runHatchTests(int argc, char** argv);
int runAccessibilityTests(int argc, char** argv);
} // namespace blokko::test

int main(int argc, char** argv)
{
    blokko::view::useLookAlikeFontsOnly(); // as the program does
    QApplication app(argc, argv);
    int failures = 0;
    failures += blokko::test::runEventsTests(argc, argv);
    failures += blokko::test::runRenderingTests(argc, argv);
    failures += blokko::test::runRepaintTests(argc, argv);
    failures += blokko::test::runKeyboardTests(argc, argv);
    failures += blokko::test::runHatchTests(argc, argv);
    failures += blokko::test::runAccessibilityTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
