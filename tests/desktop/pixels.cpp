#include "tests/desktop/pixels.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace blokko::test {

QImage snapshot(QWidget& widget, qreal devicePixelRatio)
{
    QImage image(widget.size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::magenta); // anything left unpainted stands out
    widget.render(&image);
    return image;
}

QColor pixelAt(const QImage& image, QPointF logical)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(
        static_cast<int>(std::floor(logical.x() * ratio)), static_cast<int>(std::floor(logical.y() * ratio)));
}

namespace {

QRect devicePixels(const QImage& image, const QRectF& logical)
{
    const qreal ratio = image.devicePixelRatio();
    const QRectF scaled(logical.topLeft() * ratio, logical.size() * ratio);
    return QRect(QPoint(static_cast<int>(std::ceil(scaled.left())), static_cast<int>(std::ceil(scaled.top()))),
        QPoint(static_cast<int>(std::floor(scaled.right())) - 1, static_cast<int>(std::floor(scaled.bottom())) - 1))
        .intersected(image.rect());
}

} // namespace

std::vector<QRgb> coloursIn(const QImage& image, const QRectF& logical)
{
    std::vector<QRgb> colours;
    const QRect area = devicePixels(image, logical);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb rgb = image.pixel(x, y) | 0xFF000000u;
            if (std::find(colours.begin(), colours.end(), rgb) == colours.end())
                colours.push_back(rgb);
        }
    return colours;
}

double shareOf(const QImage& image, const QRectF& logical, QColor colour)
{
    const QRect area = devicePixels(image, logical);
    if (area.isEmpty())
        return 0;
    int hits = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            hits += (image.pixel(x, y) | 0xFF000000u) == colour.rgb() ? 1 : 0;
    return static_cast<double>(hits) / (static_cast<double>(area.width()) * area.height());
}

int hatchLinesIn(const QImage& image, const QRectF& logical)
{
    const QRect area = devicePixels(image, logical);
    auto black = [&](int x, int y) { return area.contains(x, y) && (image.pixel(x, y) & 0xFFFFFFu) == 0; };
    // A diagonal counts once it runs over five pixels, longer than where two lines of a cross meet.
    constexpr int DiagonalRun = 5;
    auto run = [&](int x, int y, int dy) {
        int length = 0;
        while (black(x + length, y + dy * length))
            ++length;
        return length;
    };
    int found = NoLines;
    int blackPixels = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        bool wholeRow = true;
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!black(x, y)) {
                wholeRow = false;
                continue;
            }
            ++blackPixels;
            if (run(x, y, 1) >= DiagonalRun)
                found |= DownLines;
            if (run(x, y, -1) >= DiagonalRun)
                found |= UpLines;
        }
        if (wholeRow)
            found |= RowLines;
    }
    for (int x = area.left(); x <= area.right(); ++x) {
        bool wholeColumn = true;
        for (int y = area.top(); y <= area.bottom() && wholeColumn; ++y)
            wholeColumn = black(x, y);
        if (wholeColumn)
            found |= ColumnLines;
    }
    if (!area.isEmpty() && blackPixels == area.width() * area.height())
        return AllBlack;
    return found;
}

QRectF pixels(const Control& control)
{
    return QRectF(control.Left / 15.0, control.Top / 15.0, control.Width / 15.0, control.Height / 15.0);
}

bool anythingAt(const Form1Controls& c, QPointF logical)
{
    auto covers = [&](const Control& control) { return pixels(control).adjusted(-1, -1, 1, 1).contains(logical); };
    auto anyCell = [&](const auto& cells) {
        return std::any_of(cells.begin(), cells.end(), [&](const Cell& cell) { return cell.Visible && covers(cell); });
    };
    if (anyCell(c.Shape1) || anyCell(c.Shape2) || anyCell(c.Shape3))
        return true;
    if (c.backdrop.Visible && covers(c.backdrop))
        return true;
    for (const Label* label : {&c.npiece, &c.scorelabel, &c.hscorelabel, &c.rowslabel, &c.piecelabel, &c.Level})
        if (label->Visible && covers(*label))
            return true;
    for (const Button* button : {&c.Pause, &c.Command1})
        if (button->Visible && covers(*button))
            return true;
    for (const Panel* panel : {&c.covertop, &c.coverbottom})
        if (panel->Visible && covers(*panel))
            return true;
    return false;
}

} // namespace blokko::test
