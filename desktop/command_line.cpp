#include "desktop/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace blokko::view {

namespace {

// Options QGuiApplication and QApplication read and remove themselves, written as X programs write them
// (one dash, whole words).
constexpr const char* ToolkitOptionsWithValue[] = {"platform", "platformpluginpath", "platformtheme", "plugin",
    "qmljsdebugger", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style",
    "stylesheet"};
constexpr const char* ToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb"};

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A falling-block puzzle game: choose a difficulty, then steer the falling pieces."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : ToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : ToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const QString program = arguments.isEmpty() ? QStringLiteral("blokko") : QFileInfo(arguments.first()).fileName();
    if (!parser.parse(arguments))
        return {CommandLine::Action::Refuse,
            QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(program, parser.errorText()), 2};
    if (!parser.positionalArguments().isEmpty())
        return {CommandLine::Action::Refuse,
            QStringLiteral("%1: unexpected argument '%2'\nTry '%1 --help'.\n")
                .arg(program, parser.positionalArguments().first()),
            2};
    if (parser.isSet(help)) {
        // The parser names the program only once an application object exists; this runs before one.
        QString usage = parser.helpText();
        usage.replace(QStringLiteral("<executable_name>"), program);
        return {CommandLine::Action::Print, usage, 0};
    }
    if (parser.isSet(version))
        return {CommandLine::Action::Print, QStringLiteral("Blokko %1\n").arg(QStringLiteral(BLOKKO_VERSION)), 0};
    return {};
}

} // namespace blokko::view
