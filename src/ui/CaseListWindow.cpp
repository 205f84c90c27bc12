#include "CaseListWindow.h"

#include "CaseListModel.h"
#include "decoder/DmDLLUnit.h"
#include "documents/CaseListJob.h"
#include "documents/DocumentError.h"
#include "documents/TableExport.h"
#include "widgets/AnchoredLayout.h"
#include "widgets/FormLook.h"
#include "widgets/ModalDialogs.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QUrl>

#include <algorithm>

namespace {

const QSize ClientSize(760, 414);
constexpr int MaximumColumnWidth = 200;

const QString Hint = QStringLiteral("Вставьте текст (Ctrl+V), перетащите сюда файлы или нажмите «Открыть…»");
const QString OpenFilter = QStringLiteral(
    "Документы (*.pdf *.docx *.xlsx *.txt *.csv);;PDF (*.pdf);;Word (*.docx);;Excel (*.xlsx);;"
    "Текст и CSV (*.txt *.csv);;Все файлы (*)");
const QString SaveFilter = QStringLiteral("Таблица CSV (*.csv);;Книга Excel (*.xlsx)");

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

CaseListWindow::CaseListWindow(QWidget *parent)
    : Form(ClientSize, parent)
    , PasteButton(named(new QPushButton(QStringLiteral("Вставить")), "PasteButton"))
    , OpenButton(named(new QPushButton(QStringLiteral("Открыть…")), "OpenButton"))
    , FilterLabel(named(new QLabel(QStringLiteral("Фильтр:")), "FilterLabel"))
    , FilterEdit(named(new QLineEdit, "FilterEdit"))
    , CopyButton(named(new QPushButton(QStringLiteral("Копировать")), "CopyButton"))
    , SaveButton(named(new QPushButton(QStringLiteral("Сохранить…")), "SaveButton"))
    , CaseTable(named(new QTableView, "CaseTable"))
    , ProblemList(named(new QPlainTextEdit, "ProblemList"))
    , SummaryLabel(named(new QLabel(Hint), "SummaryLabel"))
    , Progress(named(new QProgressBar, "Progress"))
    , CancelButton(named(new QPushButton(QStringLiteral("Отмена")), "CancelButton"))
    , m_model(new CaseListModel(this))
    , m_sorted(new QSortFilterProxyModel(this))
{
    setWindowTitle(QStringLiteral("Список номеров дел"));
    setAcceptDrops(true);

    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(CaseListModel::SortRole);
    m_sorted->setSortLocaleAware(true);
    m_sorted->setFilterKeyColumn(-1);
    m_sorted->setFilterCaseSensitivity(Qt::CaseInsensitive);
    CaseTable->setModel(m_sorted);
    CaseTable->setSortingEnabled(true);
    // Until the user sorts, the rows stay in the order the numbers were first seen.
    CaseTable->sortByColumn(-1, Qt::AscendingOrder);
    CaseTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    CaseTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    CaseTable->setAlternatingRowColors(true);
    CaseTable->setWordWrap(false);
    CaseTable->verticalHeader()->hide();
    CaseTable->verticalHeader()->setDefaultSectionSize(CaseTable->fontMetrics().height() + 4);
    // The style gives headers a font of their own; the grids of this program show the form's.
    CaseTable->horizontalHeader()->setFont(FormLook::formFont());
    CaseTable->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    CaseTable->horizontalHeader()->setStretchLastSection(true);

    FilterEdit->setPlaceholderText(QStringLiteral("часть номера, суда, телефона…"));
    FilterEdit->setClearButtonEnabled(true);
    ProblemList->setReadOnly(true);
    ProblemList->setPlaceholderText(QStringLiteral("Файлы, которые не удалось прочитать, появятся здесь."));
    Progress->setRange(0, 1000);
    Progress->setTextVisible(false);
    Progress->setVisible(false);
    CancelButton->setEnabled(false);

    using A = AnchoredLayout;
    auto *layout = new AnchoredLayout(this, ClientSize);
    layout->addControl(PasteButton, {8, 8, 90, 25}, A::Left | A::Top);
    layout->addControl(OpenButton, {104, 8, 90, 25}, A::Left | A::Top);
    layout->addControl(FilterLabel, {210, 14, 48, 13}, A::Left | A::Top);
    layout->addControl(FilterEdit, {260, 10, 306, 21}, A::Left | A::Top | A::Right);
    layout->addControl(CopyButton, {574, 8, 86, 25}, A::Top | A::Right);
    layout->addControl(SaveButton, {666, 8, 86, 25}, A::Top | A::Right);
    layout->addControl(CaseTable, {8, 40, 744, 282}, A::AllEdges);
    layout->addControl(ProblemList, {8, 328, 744, 46}, A::Left | A::Right | A::Bottom);
    layout->addControl(SummaryLabel, {8, 386, 460, 13}, A::Left | A::Right | A::Bottom);
    layout->addControl(Progress, {476, 382, 184, 21}, A::Right | A::Bottom);
    layout->addControl(CancelButton, {666, 380, 86, 25}, A::Right | A::Bottom);

    connect(PasteButton, &QPushButton::clicked, this, &CaseListWindow::PasteClick);
    connect(OpenButton, &QPushButton::clicked, this, &CaseListWindow::OpenClick);
    connect(CopyButton, &QPushButton::clicked, this, &CaseListWindow::CopyClick);
    connect(SaveButton, &QPushButton::clicked, this, &CaseListWindow::SaveClick);
    connect(CancelButton, &QPushButton::clicked, this, &CaseListWindow::CancelClick);
    connect(FilterEdit, &QLineEdit::textChanged, m_sorted, &QSortFilterProxyModel::setFilterFixedString);
    // The filter box pastes into itself when it has the focus; anywhere else Ctrl+V reads the clipboard.
    auto *paste = new QShortcut(QKeySequence::Paste, this);
    connect(paste, &QShortcut::activated, this, &CaseListWindow::PasteClick);
}

CaseListWindow::~CaseListWindow() = default;

void CaseListWindow::readFiles(const QStringList &files)
{
    startReading(files, QString());
}

void CaseListWindow::readText(const QString &text)
{
    startReading({}, text);
}

void CaseListWindow::PasteClick()
{
    if (isReading())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        SummaryLabel->setText(QStringLiteral("В буфере обмена нет текста."));
        return;
    }
    readText(text);
}

void CaseListWindow::OpenClick()
{
    const QStringList files =
        ModalDialogs::current().chooseFilesToOpen(this, QStringLiteral("Открыть документы"), OpenFilter);
    if (!files.isEmpty())
        readFiles(files);
}

TextTable CaseListWindow::shownRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : CaseTable->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty()) {
        for (int row = 0; row < m_sorted->rowCount(); ++row)
            rows << row;
    }
    TextTable shown{CaseList::header(), {}};
    for (const int row : rows) {
        QStringList cells;
        for (int column = 0; column < m_sorted->columnCount(); ++column)
            cells << m_sorted->index(row, column).data().toString();
        shown.rows << cells;
    }
    return shown;
}

void CaseListWindow::CopyClick()
{
    QGuiApplication::clipboard()->setText(tableAsTsv(shownRows()));
}

void CaseListWindow::SaveClick()
{
    QString path = ModalDialogs::current().chooseFileToSave(this, QStringLiteral("Сохранить список"), SaveFilter);
    if (path.isEmpty())
        return;
    const bool hasKnownEnding = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                || path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive);
    if (!hasKnownEnding)
        path += QStringLiteral(".csv");
    try {
        saveTable(shownRows(), path);
    } catch (const DocumentError &error) {
        ModalDialogs::current().showError(this, QStringLiteral("Список не сохранён в %1: %2").arg(path, error.message()));
    }
}

void CaseListWindow::CancelClick()
{
    if (m_job)
        m_job->cancel();
}

void CaseListWindow::startReading(const QStringList &files, const QString &text)
{
    if (isReading())
        return;
    ProblemList->clear();
    SummaryLabel->setText(QStringLiteral("Идёт чтение…"));
    m_job = std::make_unique<CaseListJob>(DMDLL->UniConnection1->databasePath(), files, text);
    connect(m_job.get(), &CaseListJob::progressed, Progress, &QProgressBar::setValue);
    connect(m_job.get(), &CaseListJob::failed, ProblemList, &QPlainTextEdit::appendPlainText);
    connect(m_job.get(), &CaseListJob::finished, this, &CaseListWindow::showList);
    setReading(true);
    m_job->start();
}

void CaseListWindow::showList(const CaseList &list, bool cancelled)
{
    // The job is done with; it goes once its signal has returned.
    m_job.release()->deleteLater();
    setReading(false);
    m_model->setList(list);
    CaseTable->resizeColumnsToContents();
    // A long court name is cut short rather than pushing the status out of sight.
    for (int column = 0; column < m_model->columnCount(); ++column)
        CaseTable->setColumnWidth(column, std::min(CaseTable->columnWidth(column), MaximumColumnWidth));
    qsizetype occurrences = 0;
    for (qsizetype row = 0; row < list.size(); ++row)
        occurrences += list.occurrencesAt(row);
    QString summary = list.size() == 0 ? QStringLiteral("Номеров дел не найдено.")
                                       : QStringLiteral("Найдено номеров: %1, различных: %2.").arg(occurrences).arg(list.size());
    if (cancelled)
        summary = QStringLiteral("Чтение прервано. ") + summary;
    SummaryLabel->setText(summary);
    emit readingEnded();
}

void CaseListWindow::setReading(bool reading)
{
    PasteButton->setEnabled(!reading);
    OpenButton->setEnabled(!reading);
    CancelButton->setEnabled(reading);
    Progress->setValue(0);
    Progress->setVisible(reading);
    setAcceptDrops(!reading);
}

void CaseListWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void CaseListWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (!files.isEmpty())
        readFiles(files);
    else if (event->mimeData()->hasText())
        readText(event->mimeData()->text());
    event->acceptProposedAction();
}

void CaseListWindow::closeEvent(QCloseEvent *event)
{
    // A closed window has nobody to show the rows to.
    CancelClick();
    Form::closeEvent(event);
}
