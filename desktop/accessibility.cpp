#include "desktop/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QScrollBar>

namespace blokko::view {

namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("blokko::view::DrawnText"))
        return new QAccessibleWidget(widget, QAccessible::StaticText);
    // The two windows are plain widgets: give them the role of a window so that screen readers
    // announce their captions.
    if (widget->isWindow() &&
        (className == QLatin1String("blokko::view::GameWindow") ||
            className == QLatin1String("blokko::view::DifficultyWindow")))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleWindows()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(accessibleFor);
}

DrawnText::DrawnText(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void DrawnTexts::update(const std::vector<Text>& texts)
{
    if (standIns_.size() < texts.size()) {
        while (standIns_.size() < texts.size())
            standIns_.push_back(new DrawnText(window_));
        // Below every real control, in reading order: assistive technology goes through the children
        // in stacking order.
        for (auto it = standIns_.rbegin(); it != standIns_.rend(); ++it)
            (*it)->lower();
    }
    for (std::size_t i = 0; i < standIns_.size(); ++i) {
        DrawnText* standIn = standIns_[i];
        const bool shown = i < texts.size() && texts[i].visible;
        if (i < texts.size()) {
            // Setting the same name again would announce a change that is none.
            if (standIn->accessibleName() != texts[i].caption)
                standIn->setAccessibleName(texts[i].caption);
            if (standIn->geometry() != texts[i].rect)
                standIn->setGeometry(texts[i].rect);
        }
        if (standIn->isVisibleTo(window_) != shown)
            standIn->setVisible(shown);
    }
}

void describeDifficulty(QScrollBar& bar, const QString& chosen)
{
    if (bar.accessibleName().isEmpty())
        bar.setAccessibleName(QStringLiteral("Difficulty"));
    if (bar.accessibleDescription() != chosen)
        bar.setAccessibleDescription(chosen);
}

} // namespace blokko::view
