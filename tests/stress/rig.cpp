#include "tests/stress/rig.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <malloc.h>
#include <sstream>
#include <string>

#include "desktop/difficulty_window.h"
#include "desktop/game_window.h"
#include "desktop/key_codes.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BLOKKO_STRESS_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(BLOKKO_STRESS_ASAN)
#define BLOKKO_STRESS_ASAN 1
#endif
#ifdef BLOKKO_STRESS_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace blokko::stress {

namespace {

// The game's own random source, seeded by a clock that counts the loads instead of reading the time,
// so every game differs from the last yet a run repeats exactly.
std::unique_ptr<RandomSource> countingRandom()
{
    return std::make_unique<TimeSeededRandom>([loads = 0]() mutable { return 1000 + 7 * loads++; });
}

} // namespace

Rig::Rig()
    : DesktopSession(countingRandom()), twinRandom_(countingRandom()), twin_(std::make_unique<Program>(*twinRandom_))
{
    // Ticks of the real QTimers reach the twin too, after the desktop program's own handler.
    for (TimerId id : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3})
        QObject::connect(&app().timer(id), &QTimer::timeout, &app(), [this, id] { twin_->tick(id); });
}

Rig::~Rig() = default;

void Rig::chooseAndGo(int difficulty)
{
    DesktopSession::chooseAndGo(difficulty);
    twin_->scrollTo(difficulty);
    twin_->clickGo();
}

void Rig::clickPause()
{
    DesktopSession::clickPause();
    twin_->clickPause();
}

void Rig::clickGameOver()
{
    DesktopSession::clickGameOver();
    twin_->clickGameOver();
}

bool Rig::tick(TimerId id)
{
    if (!DesktopSession::tick(id))
        return false;
    twin_->tick(id);
    return true;
}

void Rig::holdKey(QWidget* target, int qtKey, int repeats, Delivery delivery)
{
    // The system repeats a held key as press and release pairs, every one but the first marked.
    const std::uint64_t load = twin_->form1.loadCount();
    for (int i = 0; i <= repeats; ++i) {
        test::pressKey(target, qtKey, i > 0);
        // A restart by Enter or Space retires the window the rest of the key goes to.
        if (delivery != Delivery::ReachesGame || twin_->form1.loadCount() != load)
            continue;
        const QKeyEvent press(QEvent::KeyPress, static_cast<Qt::Key>(qtKey), Qt::NoModifier, QString(), i > 0);
        twin_->keyPress(WindowId::Form1, view::gameKeyCode(press), i > 0);
    }
}

namespace {

void closeWindow(QWidget* window, CloseBy by)
{
    if (by == CloseBy::Method) {
        window->close();
        return;
    }
    QCloseEvent event;
    QApplication::sendEvent(window, &event);
}

} // namespace

void Rig::closeDifficultyWindow(CloseBy by)
{
    closeWindow(app().difficultyWindow(), by);
    twin_->closeWindow(WindowId::Form2);
}

void Rig::closeGameWindow(CloseBy by)
{
    closeWindow(app().gameWindow(), by);
    twin_->closeWindow(WindowId::Form1);
}

namespace {

QString firstDifference(const std::string& ours, const std::string& theirs)
{
    std::istringstream a(ours);
    std::istringstream b(theirs);
    std::string lineA;
    std::string lineB;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return {};
        if (!moreA || !moreB || lineA != lineB)
            return QStringLiteral("desktop: %1\ntwin:    %2")
                .arg(QString::fromStdString(moreA ? lineA : "(end)"), QString::fromStdString(moreB ? lineB : "(end)"));
    }
}

} // namespace

QString Rig::twinDifference() const
{
    return firstDifference(test::stateOf(program()), test::stateOf(*twin_));
}

Memory readMemory()
{
    Memory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            memory.residentKb = std::stol(line.substr(6));
#ifdef BLOKKO_STRESS_ASAN
    memory.heapBytes = static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 info = mallinfo2();
    memory.heapBytes = static_cast<long long>(info.uordblks + info.hblkhd);
#endif
    return memory;
}

bool underAddressSanitizer()
{
#ifdef BLOKKO_STRESS_ASAN
    return true;
#else
    return false;
#endif
}

} // namespace blokko::stress
