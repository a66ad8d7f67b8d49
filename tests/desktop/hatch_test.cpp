// Hatches keep their look on every screen: crisp, eight logical pixels apart at ratios 1, 1.25, 1.5, 2 and
// 3, and at ratio 1 on exactly the pixels of Qt's own pattern brushes.

#include <QImage>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "desktop/device_painter.h"
#include "desktop/game_window.h"
#include "tests/desktop/pixels.h"

namespace blokko::test {

namespace {

constexpr int Side = 40; // logical pixels: five periods

// Black hatch on white over a Side x Side logical square, at a device pixel ratio.
QImage hatched(int fillStyle, qreal ratio, QPointF offset = {})
{
    const int device = static_cast<int>(std::lround(Side * ratio));
    QImage image(device, device, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    view::DevicePainter pixels(painter);
    const auto twips = [](double logical) { return static_cast<float>(logical * scene::TwipsPerPixel); };
    const scene::Rect area{twips(offset.x()), twips(offset.y()), twips(Side - offset.x()), twips(Side - offset.y())};
    pixels.hatch(scene::toDevice(area, ratio), static_cast<Hatch>(fillStyle));
    return image;
}

// 0 for any full colour (white, red, ...) to 1 for black: how much of the black ink a pixel holds.
double darkness(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return 1.0 - std::max({qRed(rgb), qGreen(rgb), qBlue(rgb)}) / 255.0;
}

bool isDark(const QImage& image, int x, int y)
{
    return darkness(image, x, y) > 0.5;
}

// The share of a logical pixel's area that is dark in an image of any ratio (a box filter, as a
// screenshot is scaled down).
double darkShare(const QImage& image, int lx, int ly)
{
    const double ratio = image.devicePixelRatio();
    double dark = 0;
    const int x0 = static_cast<int>(std::floor(lx * ratio));
    const int y0 = static_cast<int>(std::floor(ly * ratio));
    for (int y = y0; y < static_cast<int>(std::ceil((ly + 1) * ratio)); ++y)
        for (int x = x0; x < static_cast<int>(std::ceil((lx + 1) * ratio)); ++x) {
            const double w = std::min<double>(x + 1, (lx + 1) * ratio) - std::max<double>(x, lx * ratio);
            const double h = std::min<double>(y + 1, (ly + 1) * ratio) - std::max<double>(y, ly * ratio);
            if (w > 0 && h > 0)
                dark += w * h * darkness(image, x, y);
        }
    return dark / (ratio * ratio);
}

} // namespace

class HatchTest : public QObject {
    Q_OBJECT

private slots:
    void ratioOneDrawsTheToolkitsPatterns_data()
    {
        QTest::addColumn<int>("fillStyle");
        QTest::addColumn<int>("pattern");
        QTest::addRow("solid") << 0 << int(Qt::SolidPattern);
        QTest::addRow("horizontal") << 2 << int(Qt::HorPattern);
        QTest::addRow("vertical") << 3 << int(Qt::VerPattern);
        QTest::addRow("upward") << 4 << int(Qt::BDiagPattern);
        QTest::addRow("downward") << 5 << int(Qt::FDiagPattern);
        QTest::addRow("cross") << 6 << int(Qt::CrossPattern);
        QTest::addRow("diagonal cross") << 7 << int(Qt::DiagCrossPattern);
    }

    void ratioOneDrawsTheToolkitsPatterns()
    {
        QFETCH(int, fillStyle);
        QFETCH(int, pattern);
        // Drawn from an odd place: the pattern stays anchored at the painter's origin, as Qt's is, so
        // neighbouring cells continue each other's lines.
        const QPointF offset(3, 5);
        QImage expected(Side, Side, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter painter(&expected);
        painter.fillRect(QRectF(offset, QSizeF(Side - 3, Side - 5)), QBrush(Qt::black, Qt::BrushStyle(pattern)));
        painter.end();
        QCOMPARE(hatched(fillStyle, 1.0, offset), expected);
    }

    void noPatternDrawsNothing()
    {
        QImage blank(Side, Side, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QCOMPARE(hatched(static_cast<int>(Hatch::None), 1.0), blank);
    }

    // Scaled down to logical pixels (a box filter, as a screenshot is scaled), every ratio shows the
    // picture of ratio 1: one threshold tells its dark pixels from its light ones (at whole ratios the
    // pixels come back exactly), and the ink is the same.
    void everyRatioLooksLikeRatioOne_data()
    {
        QTest::addColumn<int>("fillStyle");
        QTest::addColumn<qreal>("ratio");
        for (qreal ratio : {1.25, 1.5, 2.0, 3.0})
            for (int code = 2; code <= 7; ++code)
                QTest::addRow("hatch %d at %.2f", code, ratio) << code << ratio;
    }

    void everyRatioLooksLikeRatioOne()
    {
        QFETCH(int, fillStyle);
        QFETCH(qreal, ratio);
        const QImage one = hatched(fillStyle, 1.0);
        const QImage scaled = hatched(fillStyle, ratio);
        double inkOne = 0;
        double inkScaled = 0;
        double palestDark = 1;
        double darkestLight = 0;
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                const double share = darkShare(scaled, x, y);
                inkScaled += share;
                if (isDark(one, x, y)) {
                    inkOne += 1;
                    palestDark = std::min(palestDark, share);
                } else {
                    darkestLight = std::max(darkestLight, share);
                }
            }
        const QString shares =
            QStringLiteral("palest dark pixel %1, darkest light one %2").arg(palestDark).arg(darkestLight);
        if (ratio == std::floor(ratio)) {
            QVERIFY2(palestDark > 0.99 && darkestLight < 0.01, qPrintable(shares));
        } else {
            // Whole device pixels stand for fractional logical ones: still one threshold tells them apart.
            QVERIFY2(palestDark > darkestLight, qPrintable(shares));
        }
        // Crisp: whole device pixels of ink, never a grey that would be a colour of its own on a cell, and
        // no line thinner than at ratio 1.
        for (int y = 0; y < scaled.height(); ++y)
            for (int x = 0; x < scaled.width(); ++x) {
                const QRgb pixel = scaled.pixel(x, y);
                QVERIFY2(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255),
                    qPrintable(QStringLiteral("a grey pixel at %1, %2, ratio %3").arg(x).arg(y).arg(ratio)));
            }
        QVERIFY2(inkScaled * ratio >= inkOne * 0.99,
            qPrintable(QStringLiteral("ink %1 at ratio %2, %3 at ratio 1").arg(inkScaled).arg(ratio).arg(inkOne)));
    }

    // The game window on screens of ratio 1, 1.5 and 2: the hatches of the well's wall and of the
    // pieces come out as the same picture once scaled to logical pixels, like the borders around them.
    void gameWindowHatchesLookAlikeAtEveryRatio()
    {
        DesktopSession s({2, 6}, 10);
        QVERIFY(s.startPlaying(1));
        QVERIFY(s.tickUntil(
            TimerId::Timer1, [&] { return s.form1().down >= 4; }, 100));
        view::GameWindow& window = *s.app().gameWindow();
        const QImage one = snapshot(window, 1.0);
        std::vector<const Cell*> cells;
        for (const Cell& cell : s.controls().Shape2)
            if (cell.Visible)
                cells.push_back(&cell);
        for (const Cell& cell : s.controls().Shape1)
            if (cell.Visible)
                cells.push_back(&cell);
        QVERIFY(cells.size() > 64);
        for (qreal ratio : {1.5, 2.0}) {
            const QImage scaled = snapshot(window, ratio);
            for (const Cell* cell : cells) {
                // Inside the border, whole logical pixels.
                const QRect inner = pixels(*cell).toAlignedRect().adjusted(5, 5, -5, -5);
                double palestDark = 1;
                double darkestLight = 0;
                for (int y = inner.top(); y <= inner.bottom(); ++y)
                    for (int x = inner.left(); x <= inner.right(); ++x) {
                        const double share = darkShare(scaled, x, y);
                        if (isDark(one, x, y))
                            palestDark = std::min(palestDark, share);
                        else
                            darkestLight = std::max(darkestLight, share);
                    }
                QVERIFY2(palestDark > darkestLight + 0.1,
                    qPrintable(QStringLiteral("cell at %1, %2, ratio %3: palest dark pixel %4, darkest light one %5")
                                   .arg(cell->Left)
                                   .arg(cell->Top)
                                   .arg(ratio)
                                   .arg(palestDark)
                                   .arg(darkestLight)));
            }
        }
    }
};

int runHatchTests(int argc, char** argv)
{
    HatchTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace blokko::test

#include "hatch_test.moc"
