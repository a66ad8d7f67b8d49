#include "bench/first_frame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace blokko::bench {

namespace {

constexpr const char* LaunchedAt = "--launched-at=";
constexpr int GiveUpMilliseconds = 30000;

double clockSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Field 22 of /proc/self/stat: when the process started, in clock ticks since boot.
double processStartSinceBoot()
{
    std::ifstream file("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after it are plain.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) { }
    return std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

} // namespace

FirstFrame::FirstFrame(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], LaunchedAt, std::strlen(LaunchedAt)) == 0)
            launchedAtSeconds_ = std::strtod(argv[i] + std::strlen(LaunchedAt), nullptr);
    if (!launchedAtSeconds_)
        bootStartSeconds_ = processStartSinceBoot();
}

void FirstFrame::watch(QWidget& widget)
{
    widget.installEventFilter(this);
    // A window that never paints must not hang the benchmark.
    QTimer::singleShot(GiveUpMilliseconds, this, [] { QCoreApplication::exit(2); });
}

bool FirstFrame::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Paint && !seenPaint_) {
        seenPaint_ = true;
        // The frame is done once the paint and its flush have returned to the event loop.
        QTimer::singleShot(0, this, [this] { painted(); });
    }
    return false;
}

void FirstFrame::painted()
{
    const double elapsed = launchedAtSeconds_ ? clockSeconds(CLOCK_REALTIME) - *launchedAtSeconds_
                                              : clockSeconds(CLOCK_BOOTTIME) - bootStartSeconds_;
    frameMilliseconds_ = elapsed * 1000.0;
    // exit, not quit: quit would first ask the windows to close, and the game's windows decide that.
    QCoreApplication::exit(0);
}

bool FirstFrame::report() const
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    if (!frameMilliseconds_) {
        std::printf("first_frame_ms=none maxrss_kb=%ld\n", usage.ru_maxrss);
        return false;
    }
    std::printf("first_frame_ms=%.3f maxrss_kb=%ld\n", *frameMilliseconds_, usage.ru_maxrss);
    return true;
}

} // namespace blokko::bench
