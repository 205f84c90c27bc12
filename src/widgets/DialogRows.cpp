#include "DialogRows.h"

#include "AnchoredLayout.h"
#include "DataEdit.h"
#include "NamedControl.h"

#include <QLabel>
#include <QPushButton>

namespace {

const int RowPitch = 27;
const int LabelLeft = 8;
const int LabelHeight = 13;
const int BoxHeight = 21;
const int ButtonHeight = 25;
// A label sits a little lower than its box, so that their texts share a baseline.
const int LabelDrop = 3;
const int LabelGap = 4;

} // namespace

DialogRows::DialogRows(QWidget *dialog, const QSize &clientSize, const Columns &columns)
    : m_layout(new AnchoredLayout(dialog, clientSize))
    , m_columns(columns)
{
}

std::pair<QLabel *, DataEdit *> DialogRows::add(int number, const QString &caption, const QString &field)
{
    const QByteArray labelName = "Label" + QByteArray::number(number);
    const QByteArray boxName = "DBEdit" + QByteArray::number(number);
    auto *label = newNamedControl<QLabel>(labelName.constData(), caption);
    auto *box = newNamedControl<DataEdit>(boxName.constData(), field);
    const int boxTop = m_columns.firstBoxTop + RowPitch * int(m_boxes.size());
    m_layout->addControl(label, {LabelLeft, boxTop + LabelDrop, m_columns.boxLeft - LabelGap - LabelLeft, LabelHeight});
    m_layout->addControl(box, {m_columns.boxLeft, boxTop, m_columns.boxWidth, BoxHeight});
    m_boxes.append(box);
    return {label, box};
}

void DialogRows::addButtonBelow(QPushButton *button)
{
    const int top = m_columns.firstBoxTop + RowPitch * int(m_boxes.size());
    m_layout->addControl(button, {LabelLeft, top, m_columns.boxLeft + m_columns.boxWidth - LabelLeft, ButtonHeight});
}

void DialogRows::setDataSource(DataSource *source)
{
    for (DataEdit *box : std::as_const(m_boxes))
        box->setDataSource(source);
}
