#include "canvas/ui/CodeEditorWindowController.h"

#include "platform/ui/CodeEditorSettings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

CodeEditorWindowController::CodeEditorWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("CodeEditorWindowController"));
    setWindowTitle(QStringLiteral("Code Editor"));
    resize(640, 480);
    m_text = new QPlainTextEdit(this);
    // Code is typed as it is, set up as every code view of the program; its
    // lines are not wrapped either.
    CodeEditorSettings::setUpEditor(m_text);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setAutoFillBackground(true);

    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(9, 36);
    m_slider->setValue(CodeEditorSettings::kEditorPointSize);
    m_slider->setFixedWidth(160);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_save->setDefault(true);

    auto *bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("Font size"), this));
    bar->addWidget(m_slider);
    bar->addStretch();
    bar->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(bar);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) { adjustCodeFontSize(value); });
}

void CodeEditorWindowController::adjustCodeFontSize(double size)
{
    CodeEditorSettings::adjustCodeFontSize(m_text, size);
}
