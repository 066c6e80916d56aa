#include "sidebar/ui/TableGridWindowController.h"

#include "sidebar/GridEditing.h"
#include "model/SKTTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

TableGridWindowController::TableGridWindowController(bool uniformSizing, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Configure Table Grid"));
    m_columns = new QLineEdit(this);
    m_rows = new QLineEdit(this);
    m_spacing = new QLineEdit(this);
    m_width = new QLineEdit(this);
    m_height = new QLineEdit(this);
    m_spacingSlider = new QSlider(Qt::Horizontal, this);
    m_spacingSlider->setRange(0, GridEditing::tableSpacingMaximum);
    m_spacingSlider->setTickPosition(QSlider::TicksBelow);
    m_spacingSlider->setTickInterval(GridEditing::tableSpacingMaximum / 10);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_columnStepper = new QSpinBox(this);
    m_rowStepper = new QSpinBox(this);
    for (QSpinBox *s : {m_columnStepper, m_rowStepper})
        s->setRange(1, GridEditing::maximumCount);
    m_columnPopUp = new QComboBox(this);
    m_rowPopUp = new QComboBox(this);
    m_fixedWidth = new QCheckBox(QStringLiteral("Fixed"), this);
    m_fixedHeight = new QCheckBox(QStringLiteral("Fixed"), this);
    m_sameWidth = new QCheckBox(QStringLiteral("Make all columns the same width"), this);
    m_sameHeight = new QCheckBox(QStringLiteral("Make all rows the same height"), this);
    m_columnWidthLabel = new QLabel(QStringLiteral("Column width"), this);
    m_rowHeightLabel = new QLabel(QStringLiteral("Row height"), this);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));

    auto *form = new QFormLayout;
    auto withStepper = [this](QLineEdit *field, QSpinBox *stepper) {
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(stepper);
        return row;
    };
    form->addRow(QStringLiteral("Columns"), withStepper(m_columns, m_columnStepper));
    form->addRow(QStringLiteral("Rows"), withStepper(m_rows, m_rowStepper));
    auto *spacingRow = new QHBoxLayout;
    spacingRow->addWidget(m_spacingSlider, 1);
    spacingRow->addWidget(m_spacing);
    form->addRow(QStringLiteral("Spacing"), spacingRow);
    auto *widthRow = new QHBoxLayout;
    widthRow->addWidget(m_columnPopUp);
    widthRow->addWidget(m_width);
    widthRow->addWidget(m_fixedWidth);
    form->addRow(m_columnWidthLabel, widthRow);
    auto *heightRow = new QHBoxLayout;
    heightRow->addWidget(m_rowPopUp);
    heightRow->addWidget(m_height);
    heightRow->addWidget(m_fixedHeight);
    form->addRow(m_rowHeightLabel, heightRow);
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_sameWidth);
    top->addWidget(m_sameHeight);
    top->addWidget(m_message);
    top->addWidget(m_save, 0, Qt::AlignRight);

    if (!uniformSizing) {
        // Only counts and spacing in editions without uniform sizing.
        for (QWidget *w : std::initializer_list<QWidget *>{m_columnPopUp, m_fixedWidth, m_width, m_rowPopUp,
                                                           m_fixedHeight, m_height, m_columnWidthLabel,
                                                           m_rowHeightLabel, m_sameWidth, m_sameHeight})
            w->hide();
    }

    connect(m_spacingSlider, &QSlider::valueChanged, this, [this](int v) {
        if (!m_filling)
            m_spacing->setText(QString::number(v));
    });
    connect(m_columnStepper, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_filling)
            m_columns->setText(QString::number(v));
    });
    connect(m_rowStepper, &QSpinBox::valueChanged, this, [this](int v) {
        if (!m_filling)
            m_rows->setText(QString::number(v));
    });
    connect(m_columnPopUp, &QComboBox::currentIndexChanged, this, [this] { adjustTableColumnWidth(); });
    connect(m_rowPopUp, &QComboBox::currentIndexChanged, this, [this] { adjustTableRowHeight(); });
    connect(m_width, &QLineEdit::editingFinished, this, [this] { updateColumnWidth(); });
    connect(m_height, &QLineEdit::editingFinished, this, [this] { updateRowHeight(); });
    connect(m_fixedWidth, &QCheckBox::clicked, this, [this](bool on) {
        if (m_table && m_editing)
            m_editing->updateFixedWidth(*m_table, m_columnPopUp->currentIndex(), on);
    });
    connect(m_fixedHeight, &QCheckBox::clicked, this, [this](bool on) {
        if (m_table && m_editing)
            m_editing->updateFixedHeight(*m_table, m_rowPopUp->currentIndex(), on);
    });
    connect(m_sameWidth, &QCheckBox::toggled, this, [this] { adjustSameWidthAndHeightForTableSettings(); });
    connect(m_sameHeight, &QCheckBox::toggled, this, [this] { adjustSameWidthAndHeightForTableSettings(); });
    connect(m_save, &QPushButton::clicked, this, [this] { saveTableSettings(); });
}

void TableGridWindowController::configureTableGrid(SKTTable &table, GridEditing &editing)
{
    m_table = &table;
    m_editing = &editing;
    m_filling = true;
    m_message->clear();
    m_columns->setText(QString::number(table.numOfColumns()));
    m_rows->setText(QString::number(table.numOfRows()));
    m_spacing->setText(QString::number(table.padding()));
    m_spacingSlider->setValue(table.padding());
    m_columnStepper->setValue(table.numOfColumns());
    m_rowStepper->setValue(table.numOfRows());
    m_columnPopUp->clear();
    for (int c = 1; c <= table.numOfColumns(); ++c)
        m_columnPopUp->addItem(QStringLiteral("Column %1").arg(c));
    m_rowPopUp->clear();
    for (int r = 1; r <= table.numOfRows(); ++r)
        m_rowPopUp->addItem(QStringLiteral("Row %1").arg(r));
    if (const SKTTable::Cell first = table.grabSelectedTableCellHelper(0, 0)) {
        m_width->setText(QString::number(first->width));
        m_height->setText(QString::number(first->height));
        m_fixedWidth->setChecked(first->fixedWidthFlag != 0);
        m_fixedHeight->setChecked(first->fixedHeightFlag != 0);
    }
    m_sameWidth->setChecked(table.sameWidthForAllColumnsFlag() != 0);
    m_sameHeight->setChecked(table.sameHeightForAllRowsFlag() != 0);
    m_filling = false;
    adjustSameWidthAndHeightForTableSettings();
    show();
    raise();
}

void TableGridWindowController::adjustTableColumnWidth()
{
    if (m_filling || !m_table)
        return;
    if (const SKTTable::Cell cell = m_table->grabSelectedTableCellHelper(0, m_columnPopUp->currentIndex())) {
        m_width->setText(QString::number(cell->width));
        m_fixedWidth->setChecked(cell->fixedWidthFlag != 0);
    }
}

void TableGridWindowController::adjustTableRowHeight()
{
    if (m_filling || !m_table)
        return;
    if (const SKTTable::Cell cell = m_table->grabSelectedTableCellHelper(m_rowPopUp->currentIndex(), 0)) {
        m_height->setText(QString::number(cell->height));
        m_fixedHeight->setChecked(cell->fixedHeightFlag != 0);
    }
}

void TableGridWindowController::adjustSameWidthAndHeightForTableSettings()
{
    const bool width = !m_sameWidth->isChecked();
    const bool height = !m_sameHeight->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{m_columnPopUp, m_fixedWidth, m_width})
        w->setEnabled(width);
    for (QWidget *w : std::initializer_list<QWidget *>{m_rowPopUp, m_fixedHeight, m_height})
        w->setEnabled(height);
}

void TableGridWindowController::showRefusal(const QString &message)
{
    m_message->setText(message);
}

void TableGridWindowController::updateColumnWidth()
{
    if (m_filling || !m_table || !m_editing || m_width->text().isEmpty())
        return;
    const QString refusal = m_editing->updateColumnWidth(*m_table, m_columnPopUp->currentIndex(), m_width->text());
    showRefusal(refusal);
    if (!refusal.isEmpty())
        adjustTableColumnWidth();
}

void TableGridWindowController::updateRowHeight()
{
    if (m_filling || !m_table || !m_editing || m_height->text().isEmpty())
        return;
    const QString refusal = m_editing->updateRowHeight(*m_table, m_rowPopUp->currentIndex(), m_height->text());
    showRefusal(refusal);
    if (!refusal.isEmpty())
        adjustTableRowHeight();
}

void TableGridWindowController::saveTableSettings()
{
    if (!m_table || !m_editing)
        return;
    GridEditing::TableValues v;
    v.columns = m_columns->text();
    v.rows = m_rows->text();
    v.spacing = m_spacing->text();
    v.sameWidth = m_sameWidth->isChecked();
    v.sameHeight = m_sameHeight->isChecked();
    v.chosenColumn = std::max(0, m_columnPopUp->currentIndex());
    v.chosenRow = std::max(0, m_rowPopUp->currentIndex());
    v.width = m_width->text();
    v.height = m_height->text();
    const QString refusal = m_editing->saveTableSettings(*m_table, v);
    if (!refusal.isEmpty()) {
        // The fields show the table again; the message says what was wrong.
        SKTTable &table = *m_table;
        configureTableGrid(table, *m_editing);
        showRefusal(refusal);
        return;
    }
    m_message->clear();
    hide();
}
