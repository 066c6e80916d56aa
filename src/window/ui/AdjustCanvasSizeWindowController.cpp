#include "window/ui/AdjustCanvasSizeWindowController.h"

#include "window/CanvasSizeOperations.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

AdjustCanvasSizeWindowController::AdjustCanvasSizeWindowController(SKTDocument &document, QWidget *parent)
    : QDialog(parent), doc_(document)
{
    setWindowTitle(QStringLiteral("Canvas Size"));
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("AdjustCanvasSizeWindowController"));

    adjustmentSegmentedControl = new QButtonGroup(this);
    auto *standard = new QRadioButton(QStringLiteral("Default size"), this);
    auto *custom = new QRadioButton(QStringLiteral("Custom size"), this);
    adjustmentSegmentedControl->addButton(standard, 0);
    adjustmentSegmentedControl->addButton(custom, 1);
    widthTextField = new QLineEdit(this);
    heightTextField = new QLineEdit(this);
    // Digits only while typing; the range is checked on Save.
    for (QLineEdit *field : {widthTextField, heightTextField}) {
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), field));
        field->setMaximumWidth(120);
    }
    problemLabel = new QLabel(this);
    problemLabel->setStyleSheet(QStringLiteral("color: #b00020;"));
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton->setDefault(true);

    auto *segments = new QHBoxLayout;
    segments->addWidget(standard);
    segments->addWidget(custom);
    auto *form = new QFormLayout;
    form->addRow(segments);
    form->addRow(QStringLiteral("Width (px):"), widthTextField);
    form->addRow(QStringLiteral("Height (px):"), heightTextField);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problemLabel);
    layout->addLayout(buttons);

    const CanvasSizeFields fields = CanvasSizeOperations::fieldsFor(doc_);
    widthTextField->setText(QString::number(fields.width));
    heightTextField->setText(QString::number(fields.height));
    selectSegment(fields.segment);

    connect(adjustmentSegmentedControl, &QButtonGroup::idClicked, this, [this] { updateTypeOfCanvasSize(); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (saveAdjustCanvasWindowControllerSheet())
            accept();
    });
}

int AdjustCanvasSizeWindowController::selectedSegment() const
{
    return adjustmentSegmentedControl->checkedId() == 1 ? 1 : 0;
}

void AdjustCanvasSizeWindowController::selectSegment(int segment)
{
    adjustmentSegmentedControl->button(segment == 1 ? 1 : 0)->setChecked(true);
    updateTypeOfCanvasSize();
}

void AdjustCanvasSizeWindowController::updateTypeOfCanvasSize()
{
    const bool custom = selectedSegment() == 1;
    for (QLineEdit *field : {widthTextField, heightTextField}) {
        field->setReadOnly(!custom);
        field->setEnabled(custom);
    }
    problemLabel->clear();
}

bool AdjustCanvasSizeWindowController::saveAdjustCanvasWindowControllerSheet()
{
    if (selectedSegment() != 1)
        return CanvasSizeOperations::saveCanvasSize(doc_, 0, 0, 0);
    const auto width = CanvasSizeOperations::parseSide(widthTextField->text());
    const auto height = CanvasSizeOperations::parseSide(heightTextField->text());
    if (!width || !height) {
        problemLabel->setText(QStringLiteral("Width and height are whole numbers from 1 to 20,000."));
        (width ? heightTextField : widthTextField)->setFocus();
        return false;
    }
    return CanvasSizeOperations::saveCanvasSize(doc_, 1, *width, *height);
}
