#include "sidebar/ui/SavedTextWindowController.h"

#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

SavedTextWindowController::SavedTextWindowController(UserDefaults *defaults, QWidget *parent)
    : QWidget(parent, Qt::Window), m_collection(defaults)
{
    setWindowTitle(QStringLiteral("Saved Text Collection"));
    setObjectName(QStringLiteral("SavedTextWindowController"));

    m_tableView = new QTableWidget(0, 1, this);
    m_tableView->setObjectName(QStringLiteral("tableView"));
    m_tableView->horizontalHeader()->hide();
    m_tableView->horizontalHeader()->setStretchLastSection(true);
    m_tableView->verticalHeader()->hide();
    m_tableView->verticalHeader()->setDefaultSectionSize(80);
    m_tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tableView->setWordWrap(true);
    QFont cellFont = m_tableView->font();
    cellFont.setPointSize(11);
    m_tableView->setFont(cellFont);

    m_savedTextLabel = new QLabel(this);
    m_savedTextLabel->setObjectName(QStringLiteral("savedTextLabel"));
    m_titleTextField = new QLineEdit(this);
    m_titleTextField->setObjectName(QStringLiteral("titleTextField"));
    m_textView = new QPlainTextEdit(this);
    m_textView->setObjectName(QStringLiteral("textView"));
    m_indexTextField = new QLineEdit(this);
    m_indexTextField->setObjectName(QStringLiteral("savedTextRecordIndexTextField"));
    m_indexTextField->setReadOnly(true);
    m_indexTextField->setMaximumWidth(60);

    m_addButton = new QPushButton(QStringLiteral("New"), this);
    m_saveButton = new QPushButton(QStringLiteral("Save"), this);
    m_deleteButton = new QPushButton(QStringLiteral("Delete"), this);
    m_chooseButton = new QPushButton(QStringLiteral("Use This Text"), this);

    auto *left = new QVBoxLayout;
    left->addWidget(m_savedTextLabel);
    left->addWidget(m_tableView, 1);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Title"), m_titleTextField);
    form->addRow(QStringLiteral("Text"), m_textView);
    form->addRow(QStringLiteral("Index"), m_indexTextField);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_addButton, m_saveButton, m_deleteButton, m_chooseButton})
        buttons->addWidget(b);
    auto *right = new QVBoxLayout;
    right->addLayout(form, 1);
    right->addLayout(buttons);
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right, 1);
    resize(640, 420);

    connect(m_addButton, &QPushButton::clicked, this, [this] { addNewSavedTextRecord(); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { updateCurrentTextRecord(); });
    connect(m_deleteButton, &QPushButton::clicked, this, [this] { deleteSavedTextRecord(); });
    connect(m_chooseButton, &QPushButton::clicked, this, [this] {
        if (m_chooseHandler)
            m_chooseHandler();
    });
    // A row picked by the user shows its snippet.
    connect(m_tableView, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0 && row < m_records.size())
            displayRecord(row);
    });

    refreshTableView();
}

SavedTextRecord SavedTextWindowController::editedRecord() const
{
    return {m_titleTextField->text(), m_textView->toPlainText()};
}

int SavedTextWindowController::indexFieldValue() const
{
    bool ok = false;
    const int i = m_indexTextField->text().trimmed().toInt(&ok);
    return ok ? i : 0;
}

void SavedTextWindowController::displayRecord(int index)
{
    if (index < 0 || index >= m_records.size())
        return;
    m_titleTextField->setText(m_records[index].title);
    m_textView->setPlainText(m_records[index].textContent);
    m_indexTextField->setText(QString::number(index));
}

void SavedTextWindowController::selectRow(int index)
{
    if (index < 0 || index >= m_records.size())
        return;
    const QSignalBlocker block(m_tableView);
    m_tableView->clearSelection();
    m_tableView->setCurrentCell(index, 0);
    m_tableView->selectRow(index);
    displayRecord(index);
}

void SavedTextWindowController::resetRecords()
{
    m_titleTextField->clear();
    m_textView->clear();
    m_indexTextField->clear();
}

void SavedTextWindowController::refreshTableView()
{
    m_records = m_collection.records();
    {
        const QSignalBlocker block(m_tableView);
        m_tableView->setRowCount(int(m_records.size()));
        for (int row = 0; row < m_records.size(); ++row) {
            auto *item = new QTableWidgetItem(
                QStringLiteral("%1 %2 ").arg(m_records[row].title, m_records[row].textContent));
            m_tableView->setItem(row, 0, item);
        }
    }
    m_savedTextLabel->setText(QStringLiteral("%1 text saved").arg(m_records.size()));
    const int i = indexFieldValue();
    if (i < 0 || i >= m_records.size()) {
        if (m_records.isEmpty())
            resetRecords();
        else
            selectRow(0);
    } else {
        selectRow(i);
    }
}

void SavedTextWindowController::addNewSavedTextRecord()
{
    m_titleTextField->clear();
    m_textView->clear();
    m_indexTextField->setText(QString::number(m_records.size()));
    m_titleTextField->setFocus();
}

void SavedTextWindowController::saveSavedTextRecord()
{
    m_collection.append(editedRecord());
    refreshTableView();
}

void SavedTextWindowController::updateSavedTextRecord(int index)
{
    if (index >= 0 && index < m_collection.count()) {
        m_collection.update(index, editedRecord());
        refreshTableView();
    } else {
        saveSavedTextRecord();
    }
}

void SavedTextWindowController::updateCurrentTextRecord()
{
    if (m_indexTextField->text().trimmed().isEmpty())
        m_indexTextField->setText(QString::number(m_collection.count()));
    updateSavedTextRecord(indexFieldValue());
}

void SavedTextWindowController::deleteSavedTextRecord()
{
    if (m_collection.remove(indexFieldValue()))
        refreshTableView();
}

void SavedTextWindowController::launch()
{
    show();
    raise();
    m_textView->clear();
    m_titleTextField->clear();
    refreshTableView();
    selectRow(0);
}

void SavedTextWindowController::addText(const QString &text, const QDateTime &when)
{
    show();
    raise();
    m_titleTextField->setText(SavedTextCollection::addedTitle(when));
    m_textView->setPlainText(text);
    m_indexTextField->setText(QString::number(m_collection.count()));
    saveSavedTextRecord();
}
