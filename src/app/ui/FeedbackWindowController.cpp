#include "app/ui/FeedbackWindowController.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FeedbackWindowController::FeedbackWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FeedbackWindowController"));
    setWindowTitle(tr("Feedback"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("How has your experience been so far?")));
    auto *choices = new QHBoxLayout;
    m_experience = new QButtonGroup(this);
    const QStringList titles = {tr("Excellent"), tr("Good"), tr("Fair"), tr("Poor")};
    for (int i = 0; i < titles.size(); ++i) {
        auto *radio = new QRadioButton(titles.at(i));
        m_experience->addButton(radio, i);
        choices->addWidget(radio);
    }
    m_experience->button(0)->setChecked(true);
    choices->addStretch(1);
    layout->addLayout(choices);
    m_text = new QPlainTextEdit;
    m_text->setMinimumSize(420, 180);
    layout->addWidget(m_text, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancel = new QPushButton(tr("Cancel"));
    m_send = new QPushButton(tr("Send Email"));
    m_send->setDefault(true);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_send);
    layout->addLayout(buttons);
}

QString FeedbackWindowController::selectedExperience() const
{
    QAbstractButton *checked = m_experience->checkedButton();
    return checked ? checked->text() : QString();
}

void FeedbackWindowController::begin(QWidget *window)
{
    m_text->setPlainText(promptText());
    if (window && parentWidget() != window)
        setParent(window, windowFlags());
    setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    open();
}
