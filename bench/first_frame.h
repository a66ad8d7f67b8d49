#pragma once
// Start-up measurement shared by the game's probe and the floor window: the time from the launch of
// the process to its first painted frame, and the process's peak resident memory.

#include <QObject>
#include <optional>

class QWidget;

namespace blokko::bench {

class FirstFrame : public QObject {
public:
    // `argv` may carry --launched-at=SECONDS.MICROSECONDS (the wall clock just before the launcher
    // started this process); without it the process start time of /proc/self/stat is used, which is
    // only good to 10 ms.
    FirstFrame(int argc, char** argv);

    // Quits the event loop after the first frame of `widget` is painted.
    void watch(QWidget& widget);

    // Prints the figures on standard output; false if no frame was painted.
    bool report() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void painted();

    std::optional<double> launchedAtSeconds_; // CLOCK_REALTIME
    double bootStartSeconds_ = 0; // CLOCK_BOOTTIME, from /proc/self/stat
    bool seenPaint_ = false;
    std::optional<double> frameMilliseconds_;
};

} // namespace blokko::bench
