// A play tick repaints only what changed: the piece's old and new cells, labels whose text changed.

#include <QPaintEvent>
#include <QTest>

#include "desktop/game_window.h"
#include "tests/desktop/pixels.h"

namespace blokko::test {

namespace {

// Where the shown cells of the falling piece are drawn, with a pixel to spare around each.
QRegion pieceArea(const Form1Controls& c)
{
    QRegion region;
    for (std::size_t k = 1; k <= 16; ++k)
        if (c.Shape1[k].Visible)
            region += pixels(c.Shape1[k]).toAlignedRect().adjusted(-1, -1, 1, 1);
    return region;
}

qint64 areaOf(const QRegion& region)
{
    qint64 area = 0;
    for (const QRect& r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

// Records the regions the window is asked to paint.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget& widget) { widget.installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class RepaintTest : public QObject {
    Q_OBJECT

private slots:
    void playTickRepaintsTheOldAndNewPieceCellsOnly()
    {
        DesktopSession s({2, 5}, 10);
        s.startPlaying(1);
        view::GameWindow& window = *s.app().gameWindow();
        const qint64 windowArea = qint64(window.width()) * window.height();
        for (int tick = 0; tick < 20; ++tick) {
            const QRegion before = pieceArea(s.controls());
            const std::string score = s.controls().scorelabel.Caption;
            QVERIFY(s.tick(TimerId::Timer1));
            if (s.controls().scorelabel.Caption != score)
                break; // the piece landed: that tick is checked below
            const QRegion after = pieceArea(s.controls());
            const QRegion repainted = window.lastRepaint();
            QVERIFY2(!repainted.isEmpty(), "the moved piece is repainted");
            QVERIFY2((repainted - (before + after)).isEmpty(), "nothing but the piece's old and new cells");
            QVERIFY(areaOf(repainted) * 10 < windowArea);
        }
    }

    void thePaintedAreaOfAPlayTickIsSmall()
    {
        DesktopSession s({2, 5}, 10);
        s.startPlaying(1);
        view::GameWindow& window = *s.app().gameWindow();
        QCoreApplication::processEvents(); // the first, whole paint of the shown window
        PaintSpy spy(window);
        QVERIFY(s.tick(TimerId::Timer1));
        QCoreApplication::processEvents();
        QVERIFY2(!spy.painted.isEmpty(), "the tick is painted");
        QVERIFY2(areaOf(spy.painted) * 10 < qint64(window.width()) * window.height(),
            "a play tick paints a small part of the window");
    }

    void landingRepaintsTheChangedLabelsAndThePreview()
    {
        DesktopSession s({2, 5}, 10);
        s.startPlaying(1);
        view::GameWindow& window = *s.app().gameWindow();
        const std::string score = s.controls().scorelabel.Caption;
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.controls().scorelabel.Caption != score; }, 200));
        const QRegion repainted = window.lastRepaint();
        for (const Label* label : {&s.controls().scorelabel, &s.controls().piecelabel})
            QVERIFY(repainted.contains(pixels(*label).center().toPoint()));
        QVERIFY(repainted.contains(pixels(s.controls().backdrop).center().toPoint()));
        // Labels whose text stayed are left alone.
        QVERIFY(!repainted.intersects(pixels(s.controls().rowslabel).toAlignedRect().adjusted(2, 2, -2, -2)));
    }

    void eventsThatChangeNoCellRepaintNothing()
    {
        DesktopSession s({2, 5}, 10);
        s.startPlaying(1);
        view::GameWindow& window = *s.app().gameWindow();
        // Keys that move nothing on screen until the next tick.
        QTest::keyClick(&window, Qt::Key_Right);
        QVERIFY(window.lastRepaint().isEmpty());
        QTest::keyClick(&window, Qt::Key_Up);
        QVERIFY(window.lastRepaint().isEmpty());
        // The pause shows a button (a widget of its own), and no cell or label changes.
        QTest::keyClick(&window, Qt::Key_P);
        QVERIFY(window.lastRepaint().isEmpty());
    }
};

int runRepaintTests(int argc, char** argv)
{
    RepaintTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::test

#include "repaint_test.moc"
