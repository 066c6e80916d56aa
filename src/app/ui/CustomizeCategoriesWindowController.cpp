#include "app/ui/CustomizeCategoriesWindowController.h"

#include "config/DataCentreSetup.h"
#include "config/EditionSettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CustomizeCategoriesWindowController::CustomizeCategoriesWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CustomizeCategoriesWindowController"));
    windowDidLoad();
}

void CustomizeCategoriesWindowController::windowDidLoad()
{
    setWindowTitle(QStringLiteral("Customize Category Title"));
    auto *layout = new QVBoxLayout(this);
    m_table = new QTableWidget(0, 2, this);
    m_table->setHorizontalHeaderLabels({QStringLiteral("Category"), QStringLiteral("Description")});
    m_table->setColumnWidth(0, 100);
    m_table->setColumnWidth(1, 250);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setVisible(false);
    m_table->verticalHeader()->setDefaultSectionSize(40);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_table, 1);

    // One field per category name; the fields keep what was typed while the
    // window is hidden.
    for (qsizetype i = 0; i < gDefaultCategories.size(); ++i) {
        auto *field = new QLineEdit(this);
        field->setFrame(false);
        field->hide();
        m_fields << field;
    }

    auto *buttons = new QHBoxLayout;
    m_reset = new QPushButton(tr("Reset"));
    m_save = new QPushButton(tr("Save"));
    m_save->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_reset);
    buttons->addWidget(m_save);
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &CustomizeCategoriesWindowController::saveCategories);
    connect(m_reset, &QPushButton::clicked, this, &CustomizeCategoriesWindowController::resetCategories);
    resize(400, 520);
    reloadData();
}

void CustomizeCategoriesWindowController::reloadData()
{
    const qsizetype rows = gPresetTextStyles.size();
    m_table->setRowCount(int(rows));
    for (int row = 0; row < rows; ++row) {
        auto *label = new QTableWidgetItem(QStringLiteral("Category %1").arg(row));
        label->setFlags(Qt::ItemIsEnabled);
        m_table->setItem(row, 0, label);
        if (row >= m_fields.size())
            continue;
        const ShapeSelectionView &style = gPresetTextStyles.at(row);
        QLineEdit *field = m_fields.at(row);
        field->setText(style.textString);
        QFont font = style.font.value_or(field->font());
        font.setPointSize(std::min(font.pointSize() > 0 ? font.pointSize() : 14, 18));
        field->setFont(font);
        QPalette palette = field->palette();
        if (style.textColor.isValid())
            palette.setColor(QPalette::Text, style.textColor);
        if (style.fillColor.isValid())
            palette.setColor(QPalette::Base, style.fillColor);
        field->setPalette(palette);
        field->setAutoFillBackground(true);
        // The table keeps its field; only a row seen for the first time gets one.
        if (m_table->cellWidget(row, 1) != field)
            m_table->setCellWidget(row, 1, field);
    }
}

void CustomizeCategoriesWindowController::saveCategories()
{
    QStringList texts;
    for (qsizetype i = 0; i < std::min(m_fields.size(), gPresetTextStyles.size()); ++i)
        texts << m_fields.at(i)->text();
    DataCentreSetup::saveCategories(texts);
    hide();
}

void CustomizeCategoriesWindowController::resetCategories()
{
    const QStringList names = DataCentreSetup::resetCategories();
    for (qsizetype i = 0; i < std::min(names.size(), m_fields.size()); ++i)
        m_fields.at(i)->setText(names.at(i));
    hide();
}
