#include "canvas/ui/PrintSettingsWindowController.h"

#include "config/EditionSettings.h"

#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

PrintSettingsWindowController::PrintSettingsWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PrintSettingsWindowController"));
    setWindowTitle(QStringLiteral("Print Settings"));
    m_row = new QLineEdit(this);
    m_column = new QLineEdit(this);
    // Whole numbers only, signs included: a negative value is kept as typed.
    for (QLineEdit *field : {m_row, m_column}) {
        field->setValidator(new QIntValidator(field));
        field->setMaximumWidth(80);
    }
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Start at row"), m_row);
    form->addRow(QStringLiteral("Start at column"), m_column);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(m_save, &QPushButton::clicked, this, &PrintSettingsWindowController::savePrintSettings);
    adjustSize();
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString PrintSettingsWindowController::shownValue(int32_t value)
{
    return QString::number(value < 1 ? 1 : value);
}

void PrintSettingsWindowController::launchPrintSettings()
{
    m_row->setText(shownValue(gPrintStartingRow));
    m_column->setText(shownValue(gPrintStartingColumn));
    show();
    raise();
    activateWindow();
}

void PrintSettingsWindowController::savePrintSettings()
{
    hide();
    bool ok = false;
    const int row = m_row->text().toInt(&ok);
    if (ok)
        gPrintStartingRow = row;
    const int column = m_column->text().toInt(&ok);
    if (ok)
        gPrintStartingColumn = column;
}
