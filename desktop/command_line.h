#pragma once
// The command line: --help and --version answer without starting the window system, anything else the
// program does not know is refused with a message. The toolkit's own options (-platform, -style, ...)
// are let through for QApplication to take.

#include <QString>
#include <QStringList>

namespace blokko::view {

struct CommandLine {
    enum class Action { Play, Print, Refuse };
    Action action = Action::Play;
    QString text; // what to print: the usage or the version for Print, the error for Refuse
    int status = 0; // the exit status for Print and Refuse
};

// `arguments` as the program got them, its own name first.
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace blokko::view
