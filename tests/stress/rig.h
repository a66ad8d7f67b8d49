#pragma once
// The desktop program under stress, with a twin: a headless engine that receives, by the test's own
// account, exactly the events the desktop program should have passed on. After every event both must
// be in the same state, so a key lost, doubled or sent to a retired window shows at once.

#include <QString>
#include <memory>

#include "tests/support/desktop_harness.h"

class QWidget;

namespace blokko::stress {

// Whether a key sent to a widget should reach the game.
enum class Delivery { ReachesGame, Ignored };

// How a window is closed: QWidget::close(), or a close event sent to it as the window system does.
enum class CloseBy { Method, Event };

class Rig : public test::DesktopSession {
public:
    Rig();
    ~Rig() override;

    const Program& twin() const { return *twin_; }

    // --- Events, each handed to the desktop program the player's way and to the twin directly ---
    void chooseAndGo(int difficulty) override;
    void clickPause() override;
    void clickGameOver() override;
    bool tick(TimerId id) override;
    // One key held down on `target`: a first press, then `repeats` auto-repeats, each with its release.
    void holdKey(QWidget* target, int qtKey, int repeats, Delivery delivery);
    // Closes the difficulty window (the twin closes its own).
    void closeDifficultyWindow(CloseBy by = CloseBy::Method);
    // Closes the game window (the twin closes its own).
    void closeGameWindow(CloseBy by);

    // The desktop program's engine equals the twin: empty, else the first line that differs.
    QString twinDifference() const;

private:
    std::unique_ptr<RandomSource> twinRandom_;
    std::unique_ptr<Program> twin_;
};

// Memory readings for the restart suite.
struct Memory {
    long residentKb = 0; // VmRSS
    long long heapBytes = 0; // bytes handed out by the allocator and not given back
};
Memory readMemory();
// Whether this build runs under AddressSanitizer, whose quarantine keeps freed memory resident.
bool underAddressSanitizer();

} // namespace blokko::stress

// The view follows the engine, and the desktop program's engine agrees with the twin (for events the
// test delivers itself).
#define CHECK_RIG(rig)                                                                                                 \
    do {                                                                                                               \
        const QString twin_ = (rig).twinDifference();                                                                  \
        QVERIFY2(twin_.isEmpty(), qPrintable(twin_));                                                                  \
        CHECK_VIEW(rig);                                                                                               \
    } while (false)
