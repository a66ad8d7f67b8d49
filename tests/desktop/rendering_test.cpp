// What the game window shows, read back from its pixels at places the layout gives, at device pixel
// ratios 1 and 2 (and at whatever the screen's ratio is when the suite runs scaled).

#include <QFontDatabase>
#include <QFontInfo>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "desktop/difficulty_window.h"
#include "desktop/fonts.h"
#include "desktop/game_window.h"
#include "tests/desktop/pixels.h"

namespace blokko::test {

namespace {

const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Black(0, 0, 0);

// The look a standard piece takes (its number is its hatch code).
QColor pieceColour(int piece)
{
    return QColor(30 * piece, 210 - 30 * piece, 150);
}

QColor toColour(Colour bgr)
{
    return QColor(
        static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

bool contains(const std::vector<QRgb>& colours, QColor colour)
{
    return std::find(colours.begin(), colours.end(), colour.rgb()) != colours.end();
}

// The black lines each hatch code draws.
int expectedLines(int fillStyle)
{
    switch (fillStyle) {
    case 0:
        return AllBlack;
    case 2:
        return RowLines;
    case 3:
        return ColumnLines;
    case 4:
        return UpLines;
    case 5:
        return DownLines;
    case 6:
        return RowLines | ColumnLines;
    case 7:
        return UpLines | DownLines;
    default:
        return NoLines;
    }
}

// The square inside a cell's 4-pixel border.
QRectF inside(const Cell& cell)
{
    const QRectF r = pixels(cell);
    const double side = std::min(r.width(), r.height());
    return QRectF(r.left() + 4, r.top() + 4, side - 8, side - 8);
}

// The middle of a cell's left border strip.
QPointF onLeftBorder(const Cell& cell)
{
    const QRectF r = pixels(cell);
    return QPointF(r.left() + 2, r.top() + r.height() / 2);
}

// A point of the window's own background, found from the layout: between the well's right wall and the
// side panel, halfway down, where no control stands.
QPointF backgroundPoint(const Form1& form1)
{
    const Form1Controls& c = form1.controls();
    const double wellRight = (form1.cell * 12 + 60) / 15.0;
    double panelLeft = c.ScaleWidth() / 15.0;
    for (const Control* control : {static_cast<const Control*>(&c.npiece), static_cast<const Control*>(&c.backdrop),
             static_cast<const Control*>(&c.scorelabel), static_cast<const Control*>(&c.hscorelabel),
             static_cast<const Control*>(&c.rowslabel), static_cast<const Control*>(&c.piecelabel)})
        panelLeft = std::min(panelLeft, control->Left / 15.0);
    return QPointF((wellRight + panelLeft) / 2, c.ScaleHeight() / 15.0 / 2);
}

} // namespace

class RenderingTest : public QObject {
    Q_OBJECT

private:
    static QList<qreal> ratios(QWidget& widget)
    {
        QList<qreal> list{1.0, 2.0};
        if (!list.contains(widget.devicePixelRatioF()))
            list << widget.devicePixelRatioF();
        return list;
    }

    static void checkWall(const Form1& form1, const QImage& image)
    {
        const Form1Controls& c = form1.controls();
        // Cell number 12 * row + column + 1; the wall stands at cell * column + 60, cell * row + 50.
        const int wall[][2] = {{0, 0}, {0, 5}, {0, 11}, {10, 0}, {10, 11}, {21, 0}, {21, 6}, {21, 11}};
        for (const auto& rc : wall) {
            const Cell& cell = c.Shape2[static_cast<std::size_t>(12 * rc[0] + rc[1] + 1)];
            QCOMPARE(cell.Left, form1.cell * static_cast<float>(rc[1]) + 60);
            QCOMPARE(cell.Top, form1.cell * static_cast<float>(rc[0]) + 50);
            QCOMPARE(pixelAt(image, onLeftBorder(cell)), Blue);
            const auto colours = coloursIn(image, inside(cell));
            QVERIFY2(contains(colours, Red) && contains(colours, Black),
                qPrintable(QStringLiteral("wall cell %1,%2: red under a black diagonal cross").arg(rc[0]).arg(rc[1])));
            QCOMPARE(colours.size(), std::size_t(2));
            QCOMPARE(hatchLinesIn(image, inside(cell)), expectedLines(7));
        }
    }

    static void checkPieceCell(const QImage& image, const Cell& cell, int piece, const char* what)
    {
        QCOMPARE(pixelAt(image, onLeftBorder(cell)), Blue);
        const auto colours = coloursIn(image, inside(cell));
        QVERIFY2(contains(colours, pieceColour(piece)), what);
        // A standard piece's hatch code is its number.
        QCOMPARE(hatchLinesIn(image, inside(cell)), expectedLines(piece));
    }

private slots:
    void difficultyWindowShowsTheStretchedGradientOverOrange()
    {
        DesktopSession s;
        view::DifficultyWindow& window = *s.app().difficultyWindow();
        const Form2Controls& d = s.program().form2.controls;
        // The scroll bar at its designed place, its left end outside the window.
        QCOMPARE(window.scrollBar()->geometry(), pixels(d.HScroll1).toRect());
        QCOMPARE(window.scrollBar()->geometry().left(), -16);
        const QRectF top = pixels(d.Image1[0]);
        // Between the labels and the scroll bar, the upper image shows through.
        double labelsBottom = 0;
        for (const Label* label : {&d.Label1, &d.Label2, &d.Label3, &d.Label4, &d.Label5})
            labelsBottom = std::max(labelsBottom, pixels(*label).bottom());
        const double y = labelsBottom + 0.5; // above the focus mark around the scroll bar
        const double band = top.width() / static_cast<double>(GradientStrip.size());
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            for (std::size_t i = 0; i < GradientStrip.size(); ++i) {
                const QColor colour = QColor::fromRgb(GradientStrip[i]);
                // Hard edges: the band's own colour right next to its edges, as nearest-neighbour gives.
                const double left = top.left() + band * static_cast<double>(i);
                QCOMPARE(pixelAt(image, QPointF(left + 1, y)), colour);
                QCOMPARE(pixelAt(image, QPointF(left + band - 1, y)), colour);
            }
            // The images leave the orange ground in the last column and the last row.
            const QColor orange = toColour(d.BackColor);
            QCOMPARE(pixelAt(image, QPointF(window.width() - 0.5, y)), orange);
            QCOMPARE(pixelAt(image, QPointF(10, window.height() - 0.5)), orange);
        }
    }

    void designedFontsDrawWithTheirLookalikesAtTheDesignedSize()
    {
        DesktopSession s({2, 5}, 10);
        s.chooseAndGo(1);
        const Form1Controls& c = s.controls();
        const Form2Controls& d = s.program().form2.controls;
        for (const Font* font :
            {&c.Pause.font, &c.Command1.font, &c.scorelabel.font, &c.npiece.font, &d.Command1.font, &d.Label1.font}) {
            const QFontInfo drawn(view::fontFor(*font));
            QCOMPARE(drawn.family(), view::substituteFamily(font->name));
            QVERIFY(drawn.family() != QString::fromUtf8(font->name));
            // Points at 96 dots per inch: 15.75 pt is 21 pixels, 72 pt is 96.
            QCOMPARE(drawn.pixelSize(), qRound(font->points * 96 / 72));
            QCOMPARE(drawn.bold(), font->bold);
            QCOMPARE(drawn.italic(), font->italic);
        }
    }

    // The program sees the look-alikes and nothing else, so no machine's own fonts change the look.
    void onlyTheLookAlikesAreOnHandForTheProgram()
    {
        const QStringList families = QFontDatabase::families();
        for (const char* designed :
            {"Garamond", "Lucida Sans Unicode", "Times New Roman", "Lucida Handwriting", "Mistral", "MS Sans Serif"})
            QVERIFY2(families.contains(view::substituteFamily(designed)), designed);
        // Qt's own generic names stand beside the families of the five font packages.
        const QStringList packages{"EB Garamond", "DejaVu", "Liberation", "Dancing Script", "Kaushan Script",
            "Monospace", "Sans Serif", "Serif"};
        for (const QString& family : families) {
            const bool fromOurPackages =
                std::any_of(packages.begin(), packages.end(), [&](const QString& p) { return family.startsWith(p); });
            QVERIFY2(fromOurPackages, qPrintable(families.join(", ")));
        }
    }

    void curtainCoversTheWindowRightAfterTheLoadAndOpens()
    {
        DesktopSession s({2, 5}, 10);
        s.chooseAndGo(1);
        view::GameWindow& window = *s.app().gameWindow();
        const QSizeF size = window.size();
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            for (int i = 1; i < 8; ++i)
                for (int j = 1; j < 8; ++j)
                    QCOMPARE(pixelAt(image, QPointF(size.width() * i / 8, size.height() * j / 8)), Black);
        }
        s.tickUntilStopped(TimerId::Timer3, 100);
        const QPointF background = backgroundPoint(s.form1());
        QVERIFY(!anythingAt(s.controls(), background));
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            QCOMPARE(pixelAt(image, background), Yellow);
            QCOMPARE(pixelAt(image, QPointF(1, 1)), Yellow);
            checkWall(s.form1(), image);
        }
    }

    void sidePanelShowsTheRedLabelAndTheNextPiece_data()
    {
        QTest::addColumn<int>("next");
        for (int piece = 1; piece <= 7; ++piece)
            QTest::addRow("piece %d", piece) << piece;
    }

    void sidePanelShowsTheRedLabelAndTheNextPiece()
    {
        QFETCH(int, next);
        DesktopSession s({2, next}, 10);
        s.startPlaying(1);
        QCOMPARE(static_cast<int>(s.form1().nextpiece), next);
        const Form1Controls& c = s.controls();
        view::GameWindow& window = *s.app().gameWindow();
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            // "Next Piece:" stands on a red ground; its text covers a small part of it.
            QVERIFY(shareOf(image, pixels(c.npiece), Red) > 0.6);
            QVERIFY(shareOf(image, pixels(c.npiece), Black) > 0.02);
            // The preview: quarters of the backdrop, row by row, shown where the pattern has a 1.
            const double w = c.backdrop.Width / 4.0 / 15.0;
            const double h = c.backdrop.Height / 4.0 / 15.0;
            int shown = 0;
            for (int row = 0; row < 4; ++row) {
                for (int col = 0; col < 4; ++col) {
                    const QPointF centre(
                        c.backdrop.Left / 15.0 + (col + 0.5) * w, c.backdrop.Top / 15.0 + (row + 0.5) * h);
                    const bool filled = s.form1().patternFilled(next, row + 1, col + 1);
                    const Cell& cell = c.Shape3[static_cast<std::size_t>(4 * row + col + 1)];
                    QCOMPARE(cell.Visible, filled);
                    const QRectF middle(centre.x() - w / 4, centre.y() - h / 4, w / 2, h / 2);
                    QCOMPARE(contains(coloursIn(image, middle), pieceColour(next)), filled);
                    if (filled) {
                        checkPieceCell(image, cell, next, "preview cell in the colour and hatch of the next piece");
                        ++shown;
                    } else {
                        QCOMPARE(pixelAt(image, centre), Yellow);
                    }
                }
            }
            QCOMPARE(shown, 4);
            // The blue frame of the preview.
            QCOMPARE(pixelAt(image, QPointF(pixels(c.backdrop).left() + 1, pixels(c.backdrop).top() + 1)), Blue);
        }
    }

    void fallingPieceShowsInItsColourAndHatch()
    {
        DesktopSession s({2, 5}, 10);
        s.startPlaying(1);
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 4; }, 100));
        QCOMPARE(s.form1().piece, 2);
        view::GameWindow& window = *s.app().gameWindow();
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            int shown = 0;
            for (std::size_t k = 1; k <= 16; ++k) {
                const Cell& cell = s.controls().Shape1[k];
                if (!cell.Visible)
                    continue;
                ++shown;
                checkPieceCell(image, cell, 2, "falling cell in the colour and hatch of piece 2");
                // Drawn where the piece stands: a whole box cell from the well's origin, row offset `down`.
                const int row = static_cast<int>((k - 1) / 4) + 1;
                const int col = static_cast<int>((k - 1) % 4) + 1;
                QCOMPARE(cell.Top, s.form1().cell * (static_cast<float>(row) + s.form1().down) + 50);
                QCOMPARE(cell.Left, s.form1().cell * static_cast<float>(col + s.form1().across) + 50);
            }
            QCOMPARE(shown, 4);
        }
    }

    void pauseButtonShowsInFrontOfTheClosedCurtain()
    {
        DesktopSession s({2, 5}, 10);
        s.chooseAndGo(1);
        view::GameWindow& window = *s.app().gameWindow();
        // P while the curtain is still closed: the button is the only way back, so it is in front.
        QTest::keyClick(&window, Qt::Key_P);
        QVERIFY(window.pauseButton()->isVisible());
        const QRectF pause = pixels(s.controls().Pause);
        QVERIFY(s.controls().Pause.z > s.controls().covertop.z && s.controls().Pause.z > s.controls().coverbottom.z);
        for (qreal ratio : ratios(window)) {
            const QImage image = snapshot(window, ratio);
            // Beside the caption, inside the button's face.
            QVERIFY(pixelAt(image, pause.topLeft() + QPointF(12, pause.height() / 2)) != Black);
        }
    }
};

int runRenderingTests(int argc, char** argv)
{
    RenderingTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::test

#include "rendering_test.moc"
