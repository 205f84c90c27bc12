#pragma once

#include <QLineEdit>
#include <QString>

class DataSource;

// A one-line edit box bound to one column of a data source's dataset: it
// shows that column of the current row, and while the dataset is inserting
// or editing it writes what the user types into the edit buffer. Otherwise it
// is read-only, so typing never changes the file behind the editor's back.
class DataEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit DataEdit(const QString &dataField, QWidget *parent = nullptr);

    // The source can be given after construction: a dialog may be created
    // before the data module that holds its source.
    void setDataSource(DataSource *source);

private:
    void showField();
    void writeField(const QString &text);
    bool isWritable() const;

    DataSource *m_source = nullptr;
    QString m_field;
    QMetaObject::Connection m_fieldsConnection;
    QMetaObject::Connection m_stateConnection;
};
