// The parity test's desktop half: plays a script of the trace driver's commands through the real
// desktop program, its pieces queued by the script and its timers ticked only by the script, and at
// each `shot NAME` writes every shown window's client area as NAME.WINDOW.png, with NAME.WINDOW.items
// (each shown item in device pixels, back to front: what the comparison masks and names) and
// NAME.WINDOW.clipped (the captions that do not fit their buttons), NAME.WINDOW.texts (the texts
// shown), and the program's state as
// NAME.state (blokko-trace's dump, which the same script must give).
//   blokko_parity_desktop SCRIPT FOLDER     (run with QT_QPA_PLATFORM=offscreen, any QT_SCALE_FACTOR)

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "desktop/desktop_app.h"
#include "desktop/difficulty_window.h"
#include "desktop/fonts.h"
#include "desktop/game_window.h"
#include "scene/form1_ids.h"
#include "scene/form2_ids.h"
#include "tests/support/desktop_harness.h"
#include "tools/state_dump.h"

namespace {

using namespace blokko;

struct BadLine : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The Qt key of a virtual-key code, and the text it types.
std::pair<int, QString> qtKeyOf(int code)
{
    if (code >= 'A' && code <= 'Z')
        return {code, QString(QChar(code + 32))};
    switch (code) {
    case 13:
        return {Qt::Key_Return, QStringLiteral("\r")};
    case 32:
        return {Qt::Key_Space, QStringLiteral(" ")};
    case 37:
        return {Qt::Key_Left, {}};
    case 38:
        return {Qt::Key_Up, {}};
    case 39:
        return {Qt::Key_Right, {}};
    case 40:
        return {Qt::Key_Down, {}};
    default:
        throw BadLine("key: no key for the code " + std::to_string(code));
    }
}

// What the comparison calls an item when it reports a difference there.
std::string nameOf(const scene::Item& item, bool game)
{
    namespace f1 = scene::form1;
    const int id = item.id;
    if (!game)
        return id == scene::form2::Picture ? "picture"
            : id <= scene::form2::Image1   ? "image " + std::to_string(id - scene::form2::Image0)
            : id <= scene::form2::Label5   ? "label " + std::to_string(id - scene::form2::Label1 + 1)
            : id == scene::form2::GoButton ? "GO! button"
                                           : "scroll bar";
    if (id < f1::Well)
        return "falling piece cell " + std::to_string(id - f1::Box + 1);
    if (id < f1::Preview) {
        const int n = id - f1::Well;
        return "well cell row " + std::to_string(n / WellColumns) + " column " + std::to_string(n % WellColumns);
    }
    if (id < f1::Backdrop)
        return "preview cell " + std::to_string(id - f1::Preview + 1);
    static const char* const names[] = {"backdrop", "next piece label", "score label", "hiscore label", "rows label",
        "blocks label", "level label", "Pause button", "Game Over button", "upper curtain half", "lower curtain half"};
    const auto index = static_cast<std::size_t>(id - f1::Backdrop);
    return index < std::size(names) ? names[index] : "item " + std::to_string(id);
}

const char* kindOf(scene::Kind kind)
{
    switch (kind) {
    case scene::Kind::Cell:
        return "cell";
    case scene::Kind::Label:
        return "label";
    case scene::Kind::Image:
        return "image";
    case scene::Kind::Panel:
        return "panel";
    case scene::Kind::Button:
        return "button";
    case scene::Kind::ScrollBar:
        return "scrollbar";
    }
    return "?";
}

// One line per shown item, back to front: kind, whether it draws text, its rectangle in device pixels
// with the outer edges rounded outwards (a control's widget included: controls are placed on whole
// logical pixels), then with the edges rounded to the nearest, and its name.
void writeItems(
    const QString& path, const scene::Window& window, const std::map<int, QWidget*>& controls, bool game, double ratio)
{
    std::ofstream out(path.toStdString());
    const double k = ratio / 15.0;
    for (const scene::Item& item : window.items) {
        if (!item.visible)
            continue;
        const scene::Rect& r = item.rect;
        QRect outer(QPoint(static_cast<int>(std::floor(r.left * k)), static_cast<int>(std::floor(r.top * k))),
            QPoint(static_cast<int>(std::ceil((r.left + r.width) * k)) - 1,
                static_cast<int>(std::ceil((r.top + r.height) * k)) - 1));
        if (const auto control = controls.find(item.id); control != controls.end()) {
            const QRect placed = control->second->geometry();
            outer |= QRect(placed.topLeft() * ratio, placed.size() * ratio);
        }
        const bool text = item.text.find_first_not_of(' ') != std::string::npos;
        out << kindOf(item.kind) << ' ' << (text ? 1 : 0) << ' ' << outer.left() << ' ' << outer.top() << ' '
            << outer.right() + 1 << ' ' << outer.bottom() + 1 << ' ' << std::lround(r.left * k) << ' '
            << std::lround(r.top * k) << ' ' << std::lround((r.left + r.width) * k) << ' '
            << std::lround((r.top + r.height) * k) << ' ' << nameOf(item, game) << '\n';
    }
}

// The texts shown: each label's with text in drawing order, then each shown button's caption as its
// widget has it.
void writeTexts(const QString& path, const scene::Window& window, const std::map<int, QWidget*>& controls)
{
    std::ofstream out(path.toStdString());
    for (const scene::Item& item : window.items)
        if (item.visible && item.kind == scene::Kind::Label && item.text.find_first_not_of(' ') != std::string::npos)
            out << "label " << item.text << '\n';
    for (const scene::Item& item : window.items)
        if (const auto control = controls.find(item.id); control != controls.end() && item.visible)
            if (const auto* button = qobject_cast<QPushButton*>(control->second))
                out << "button " << button->text().toStdString() << '\n';
}

// The captions of the shown buttons that do not fit: wrapped at spaces within the button's margins, a
// word wider than them or lines taller than the button are cut.
void writeClipped(const QString& path, QWidget& window)
{
    std::ofstream out(path.toStdString());
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isVisible())
            continue;
        const QRect room = button->rect().adjusted(3, 3, -3, -3);
        const QRect needed =
            QFontMetrics(button->font()).boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, button->text());
        if (needed.width() > room.width() || needed.height() > button->height())
            out << '"' << button->text().toStdString() << "\" needs " << needed.width() << 'x' << needed.height()
                << " px, has " << room.width() << 'x' << room.height() << '\n';
    }
}

class Player {
public:
    explicit Player(const QString& folder) : folder_(folder)
    {
        auto random = std::make_unique<QueuedRandom>();
        random_ = random.get();
        session_ = std::make_unique<test::DesktopSession>(std::move(random));
    }

    void play(const std::vector<std::string>& w)
    {
        view::DesktopApp& app = session_->app();
        const std::string& command = w[0];
        const auto argument = [&](std::size_t count) {
            if (w.size() != count + 1)
                throw BadLine(command + ": expected " + std::to_string(count) + " argument(s)");
        };
        if (command == "rand") {
            for (std::size_t i = 1; i < w.size(); ++i)
                random_->push(std::strtof(w[i].c_str(), nullptr));
        } else if (command == "scroll") {
            argument(1);
            app.difficultyWindow()->scrollBar()->setValue(std::stoi(w[1]));
        } else if (command == "click") {
            argument(1);
            QPushButton* button = w[1] == "GO" ? app.difficultyWindow()->goButton()
                : !app.gameWindow()            ? nullptr
                : w[1] == "Pause"              ? app.gameWindow()->pauseButton()
                : w[1] == "GameOver"           ? app.gameWindow()->gameOverButton()
                                               : throw BadLine("click: no button " + w[1]);
            // click() rather than a mouse press: nothing runs the event loop, so no QTimer fires.
            if (button && button->isVisible())
                button->click();
        } else if (command == "key") {
            argument(1);
            const auto [key, text] = qtKeyOf(std::stoi(w[1]));
            if (app.gameWindow() && app.gameWindow()->isVisible()) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
                QApplication::sendEvent(app.gameWindow(), &press);
                QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
                QApplication::sendEvent(app.gameWindow(), &release);
            }
        } else if (command == "tick") {
            argument(1);
            const TimerId ids[] = {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3};
            const int n = w[1].size() == 6 && w[1].starts_with("Timer") ? w[1][5] - '0' : 0;
            if (n < 1 || n > 3)
                throw BadLine("tick: no timer " + w[1]);
            session_->tick(ids[n - 1]);
        } else if (command == "shot") {
            argument(1);
            shoot(QString::fromStdString(w[1]));
        } else {
            throw BadLine("unknown command " + command);
        }
    }

private:
    void shoot(const QString& name)
    {
        view::DesktopApp& app = session_->app();
        std::ofstream(QDir(folder_).filePath(name + ".state").toStdString()) << stateDump(app.program());
        view::DifficultyWindow* form2 = app.difficultyWindow();
        view::GameWindow* form1 = app.gameWindow();
        const struct {
            QWidget* widget;
            const scene::Window& scene;
            std::map<int, QWidget*> controls;
            const char* name;
        } windows[] = {
            {form2, app.scene().form2(),
                {{scene::form2::GoButton, form2->goButton()}, {scene::form2::ScrollBar, form2->scrollBar()}},
                "difficulty"},
            {form1, app.scene().form1(),
                form1 ? std::map<int, QWidget*>{{scene::form1::PauseButton, form1->pauseButton()},
                            {scene::form1::GameOverButton, form1->gameOverButton()}}
                      : std::map<int, QWidget*>{},
                "game"},
        };
        for (const auto& w : windows) {
            if (!w.widget || !w.widget->isVisible())
                continue;
            const QString base = QDir(folder_).filePath(name + '.' + w.name);
            const QImage image = w.widget->grab().toImage();
            if (!image.save(base + ".png"))
                throw BadLine("cannot write " + base.toStdString() + ".png");
            writeItems(
                base + ".items", w.scene, w.controls, std::string_view(w.name) == "game", image.devicePixelRatio());
            writeClipped(base + ".clipped", *w.widget);
            writeTexts(base + ".texts", w.scene, w.controls);
        }
    }

    QString folder_;
    QueuedRandom* random_ = nullptr;
    std::unique_ptr<test::DesktopSession> session_;
};

} // namespace

int main(int argc, char** argv)
{
    view::useLookAlikeFontsOnly(); // as the program does
    QApplication application(argc, argv);
    view::DesktopApp::prepareApplication();
    if (argc != 3) {
        std::fputs("usage: blokko_parity_desktop SCRIPT FOLDER\n", stderr);
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script || !QDir().mkpath(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "cannot read %s or make %s\n", argv[1], argv[2]);
        return 2;
    }
    Player player(QString::fromLocal8Bit(argv[2]));
    std::string line;
    for (long number = 1; std::getline(script, line); ++number) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        if (words.empty() || words[0].front() == '#')
            continue;
        try {
            player.play(words);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s:%ld: %s\n", argv[1], number, error.what());
            return 2;
        }
    }
    return 0;
}
