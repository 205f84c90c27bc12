#include "DataEdit.h"

#include "data/DataSource.h"
#include "data/Dataset.h"

DataEdit::DataEdit(const QString &dataField, QWidget *parent)
    : QLineEdit(parent)
    , m_field(dataField)
{
    connect(this, &QLineEdit::textEdited, this, &DataEdit::writeField);
    showField();
}

void DataEdit::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    disconnect(m_fieldsConnection);
    disconnect(m_stateConnection);
    m_source = source;
    if (m_source) {
        m_fieldsConnection = connect(m_source->dataset(), &Dataset::fieldsChanged, this, &DataEdit::showField);
        m_stateConnection = connect(m_source->dataset(), &Dataset::stateChanged, this, &DataEdit::showField);
    }
    showField();
}

bool DataEdit::isWritable() const
{
    if (!m_source)
        return false;
    const Dataset::State state = m_source->dataset()->state();
    return state == Dataset::State::Inserting || state == Dataset::State::Editing;
}

void DataEdit::showField()
{
    QString text;
    if (m_source) {
        const Dataset *dataset = m_source->dataset();
        if (dataset->isOpen() && dataset->columnIndex(m_field) >= 0)
            text = dataset->fieldText(m_field);
    }
    // Setting the same text again would move the cursor while the user types.
    if (text != this->text()) {
        setText(text);
        // A long court name reads from its beginning, not its end.
        setCursorPosition(0);
    }
    setReadOnly(!isWritable());
}

void DataEdit::writeField(const QString &text)
{
    if (isWritable())
        m_source->dataset()->setFieldText(m_field, text);
}
