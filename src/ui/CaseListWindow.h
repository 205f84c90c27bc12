#pragma once

#include "documents/TextTable.h"
#include "widgets/Form.h"

#include <QStringList>

#include <memory>

class CaseList;
class CaseListJob;
class CaseListModel;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// «Список номеров дел»: every case number of pasted text or of documents
// (opened or dropped on the window), one row per distinct number, decoded.
// Reading runs off the GUI thread and can be cancelled; the table sorts,
// filters, and goes to the clipboard or to a CSV or Excel file.
class CaseListWindow : public Form
{
    Q_OBJECT

public:
    explicit CaseListWindow(QWidget *parent = nullptr);
    ~CaseListWindow() override;

    // Each reading replaces the table and the list of problems.
    void readFiles(const QStringList &files);
    void readText(const QString &text);
    bool isReading() const { return m_job != nullptr; }

    void PasteClick();
    void OpenClick();
    void CopyClick();
    void SaveClick();
    void CancelClick();

    QPushButton *PasteButton;
    QPushButton *OpenButton;
    QLabel *FilterLabel;
    QLineEdit *FilterEdit;
    QPushButton *CopyButton;
    QPushButton *SaveButton;
    QTableView *CaseTable;
    QPlainTextEdit *ProblemList;
    QLabel *SummaryLabel;
    QProgressBar *Progress;
    QPushButton *CancelButton;

signals:
    // A reading has ended, finished or cancelled, and the table shows its rows.
    void readingEnded();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void startReading(const QStringList &files, const QString &text);
    void showList(const CaseList &list, bool cancelled);
    void setReading(bool reading);
    // The rows as the table shows them: the selected ones, or all when none
    // is selected, in the table's order and under its filter.
    TextTable shownRows() const;

    CaseListModel *m_model;
    QSortFilterProxyModel *m_sorted;
    std::unique_ptr<CaseListJob> m_job;
};
