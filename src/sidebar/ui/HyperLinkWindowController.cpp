#include "sidebar/ui/HyperLinkWindowController.h"

#include "sidebar/ui/HyperLinkViewController.h"
#include "sidebar/ui/ZovNSTextField.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HyperLinkWindowController::HyperLinkWindowController(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Apply Hyper Link"));
    setFixedSize(520, 200);
    m_link = new ZovNSTextField(this);
    m_link->setPlaceholderText(QStringLiteral("http://"));
    m_save = new QPushButton(tr("Save"), this);
    m_save->setDefault(true);
    m_option = new QButtonGroup(this);
    m_type = new QButtonGroup(this);
    m_pages = new QComboBox(this);
    m_refusal = new QLabel(this);
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00020"));

    auto *form = new QFormLayout;
    auto *linkRow = new QHBoxLayout;
    linkRow->addWidget(m_link, 1);
    linkRow->addWidget(m_save);
    form->addRow(tr("Link"), linkRow);
    form->addRow(tr("Page"), m_pages);
    form->addRow(tr("Open in"), HyperLinkViewController::segmentRow(this, m_option, {tr("Same Window"), tr("New Window"), tr("Parent Frame")}));
    form->addRow(tr("Apply link to"), HyperLinkViewController::segmentRow(this, m_type, {tr("Text"), tr("Shape")}));
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_refusal);
    top->addStretch();

    connect(m_pages, &QComboBox::activated, this, [this] {
        if (m_pages->currentIndex() > 0)
            m_link->setText(m_pages->currentText());
    });
    connect(m_save, &QPushButton::clicked, this, [this] { saveSlideLink(); });
    connect(m_link, &QLineEdit::returnPressed, this, [this] { saveSlideLink(); });
}

void HyperLinkWindowController::linkCurrentSlide(SKTSlideshow &slideshow, int slideNumber, UndoManager *undo,
                                                 const QList<ProjectPage> &pages)
{
    m_slideshow = &slideshow;
    m_slideNumber = slideNumber;
    m_undo = undo;
    m_link->setText(LinkEditing::slideLink(slideshow, slideNumber));
    m_link->setPagesProvider([pages] { return pages; });
    m_refusal->clear();
    HyperLinkViewController::fillPageMenu(m_pages, pages);
    show();
    raise();
    activateWindow();
}

bool HyperLinkWindowController::saveSlideLink()
{
    if (!m_slideshow)
        return false;
    QString cleaned;
    const QString refusal = LinkEditing::saveSlideLink(m_undo, *m_slideshow, m_slideNumber, m_link->text(), &cleaned);
    if (!refusal.isEmpty()) {
        m_refusal->setText(refusal);
        return false;
    }
    m_link->setText(cleaned);
    m_refusal->clear();
    hide();
    return true;
}
