#include "AnchoredLayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>

AnchoredLayout::AnchoredLayout(QWidget *parent, const QSize &designSize)
    : QLayout(parent)
    , m_designSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    // A form may be made smaller than drawn; its controls then overlap or shrink.
    setSizeConstraint(QLayout::SetNoConstraint);
}

AnchoredLayout::~AnchoredLayout()
{
    for (const Placed &placed : std::as_const(m_controls))
        delete placed.item;
}

void AnchoredLayout::addControl(QWidget *control, const QRect &place, Anchors anchors)
{
    addChildWidget(control);
    m_controls.append({new QWidgetItem(control), place, anchors});
    control->setGeometry(place);
    invalidate();
}

void AnchoredLayout::addItem(QLayoutItem *item)
{
    // Items added without a place stay where their widget already is.
    const QRect place = item->widget() ? item->widget()->geometry() : item->geometry();
    m_controls.append({item, place, LeftTop});
}

QLayoutItem *AnchoredLayout::itemAt(int index) const
{
    return index >= 0 && index < m_controls.size() ? m_controls.at(index).item : nullptr;
}

QLayoutItem *AnchoredLayout::takeAt(int index)
{
    if (index < 0 || index >= m_controls.size())
        return nullptr;
    return m_controls.takeAt(index).item;
}

int AnchoredLayout::count() const
{
    return int(m_controls.size());
}

QSize AnchoredLayout::sizeHint() const
{
    return m_designSize;
}

QSize AnchoredLayout::minimumSize() const
{
    return {0, 0};
}

void AnchoredLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    // Places are relative to the parent's own corner, as drawn, also inside a
    // group box whose frame and caption take part of its area.
    const QSize size = parentWidget() ? parentWidget()->size() : rect.size();
    const int dx = size.width() - m_designSize.width();
    const int dy = size.height() - m_designSize.height();
    for (const Placed &placed : std::as_const(m_controls)) {
        QRect place = placed.place;
        if (placed.anchors.testFlag(Right)) {
            if (placed.anchors.testFlag(Left))
                place.setWidth(std::max(0, place.width() + dx));
            else
                place.translate(dx, 0);
        }
        if (placed.anchors.testFlag(Bottom)) {
            if (placed.anchors.testFlag(Top))
                place.setHeight(std::max(0, place.height() + dy));
            else
                place.translate(0, dy);
        }
        // Straight to the widget: a layout item would bend the place to the
        // control's size hint, and the places are exact pixels.
        if (QWidget *control = placed.item->widget())
            control->setGeometry(place);
        else
            placed.item->setGeometry(place);
    }
}
