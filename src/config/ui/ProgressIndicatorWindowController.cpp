#include "config/ui/ProgressIndicatorWindowController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QProgressBar *makeSpinner(QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setRange(0, 0); // a busy indicator
    bar->setTextVisible(false);
    bar->setMaximumWidth(60);
    return bar;
}

} // namespace

ProgressIndicatorWindowController::ProgressIndicatorWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("ProgressIndicatorWindowController"));
    setWindowTitle(tr("Please wait"));
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_progressIndicator = makeSpinner(this);
    m_progressIndicator2 = makeSpinner(this);
    m_levelIndicator = new QProgressBar(this);
    m_levelIndicator->setTextVisible(false);
    m_levelIndicator->setRange(0, kLevelSteps);
    m_progressStatusTextfield = new QLabel(this);
    m_progressFileTextField = new QLabel(this);
    m_progressFileTextField->setTextFormat(Qt::PlainText);
    m_progressStatusTextfield->setTextFormat(Qt::PlainText);
    m_progressFileTextField->setMinimumWidth(320);

    auto *top = new QHBoxLayout;
    top->addWidget(m_progressIndicator);
    top->addWidget(m_progressStatusTextfield, 1);
    top->addWidget(m_progressIndicator2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_levelIndicator);
    layout->addWidget(m_progressFileTextField);
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_cancelButton->setVisible(false);
    connect(m_cancelButton, &QPushButton::clicked, this, [] { ProgressModel::instance().cancel(); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
    setFixedHeight(sizeHint().height());
}

void ProgressIndicatorWindowController::applyState(const ProgressState &state)
{
    m_progressStatusTextfield->setText(state.statusText);
    m_progressFileTextField->setText(state.fileText);
    // A level of 0 of 0 (or past the end) shows an empty or a full bar,
    // never the busy look a zero range would give.
    int steps = 0;
    if (state.levelMaximum > 0)
        steps = int(std::clamp(state.levelValue / state.levelMaximum, 0.0, 1.0) * kLevelSteps);
    m_levelIndicator->setValue(steps);
    m_levelIndicator->setVisible(state.levelVisible);
    m_progressIndicator->setVisible(state.spinnerVisible);
    m_progressIndicator2->setVisible(state.spinner2Visible);
    if (m_cancelButton->isHidden() == state.cancelVisible) {
        m_cancelButton->setVisible(state.cancelVisible);
        setFixedHeight(sizeHint().height());
    }
    // Redrawn now: a caller busy on the main thread would otherwise leave
    // the window stale until it returns to the event loop.
    if (isVisible()) {
        m_levelIndicator->repaint();
        m_progressFileTextField->repaint();
        m_progressStatusTextfield->repaint();
    }
}
