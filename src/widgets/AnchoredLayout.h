#pragma once

#include <QLayout>
#include <QList>
#include <QRect>

// Places each control at the pixels it was drawn at and keeps it there as the
// parent is resized, following the edges it is anchored to: anchored to left
// and right it stretches with the width, to the right only it moves with the
// right edge; the same for top and bottom. A control may shrink to nothing,
// never below.
class AnchoredLayout : public QLayout
{
    Q_OBJECT

public:
    enum Anchor { Left = 0x1, Top = 0x2, Right = 0x4, Bottom = 0x8 };
    Q_DECLARE_FLAGS(Anchors, Anchor)

    static constexpr Anchors LeftTop{Left | Top};
    static constexpr Anchors AllEdges{Left | Top | Right | Bottom};

    // designSize is the parent's client size that the places refer to.
    AnchoredLayout(QWidget *parent, const QSize &designSize);
    ~AnchoredLayout() override;

    // Makes the control a child of the layout's parent and places it.
    void addControl(QWidget *control, const QRect &place, Anchors anchors = LeftTop);

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    struct Placed
    {
        QLayoutItem *item;
        QRect place;
        Anchors anchors;
    };

    QSize m_designSize;
    QList<Placed> m_controls;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(AnchoredLayout::Anchors)
