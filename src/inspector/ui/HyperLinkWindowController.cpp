#include "inspector/ui/HyperLinkWindowController.h"

#include "inspector/ui/HyperLinkViewController.h"
#include "inspector/ui/ZovNSTextField.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QWidget *segments(QWidget *parent, QButtonGroup *group, const QStringList &titles)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < titles.size(); ++i) {
        auto *b = new QPushButton(titles[i], box);
        b->setCheckable(true);
        group->addButton(b, i);
        row->addWidget(b);
    }
    group->setExclusive(true);
    group->button(0)->setChecked(true);
    row->addStretch();
    return box;
}
} // namespace

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
    form->addRow(tr("Open in"), segments(this, m_option, {tr("Same Window"), tr("New Window"), tr("Parent Frame")}));
    form->addRow(tr("Apply link to"), segments(this, m_type, {tr("Text"), tr("Shape")}));
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
    m_pages->clear();
    m_pages->addItem(HyperLinkViewController::pagePlaceholder());
    for (const ProjectPage &page : pages)
        m_pages->addItem(page.pagePublishFileName);
    m_pages->setVisible(!pages.isEmpty());
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
