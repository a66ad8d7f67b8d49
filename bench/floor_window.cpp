// The floor of start-up: a Qt window of the difficulty window's size that paints one colour, measured
// as the game's probe is measured.

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "bench/first_frame.h"

namespace {

class OneColour : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(0xFF, 0x80, 0x00)); }
};

} // namespace

int main(int argc, char* argv[])
{
    blokko::bench::FirstFrame frame(argc, argv);

    QApplication app(argc, argv);
    OneColour window;
    window.setFixedSize(386, 225);
    frame.watch(window);
    window.show();
    const int status = QApplication::exec();
    return frame.report() ? status : 1;
}
