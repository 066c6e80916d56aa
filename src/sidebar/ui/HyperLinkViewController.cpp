#include "sidebar/ui/HyperLinkViewController.h"

#include "sidebar/ui/ZovNSTextField.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

QWidget *HyperLinkViewController::segmentRow(QWidget *parent, QButtonGroup *group, const QStringList &titles)
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

void HyperLinkViewController::fillPageMenu(QComboBox *menu, const QList<ProjectPage> &pages)
{
    menu->clear();
    menu->addItem(pagePlaceholder());
    for (const ProjectPage &page : pages)
        menu->addItem(page.pagePublishFileName);
    menu->setVisible(!pages.isEmpty());
}

HyperLinkViewController::HyperLinkViewController(bool onClickRows, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("HyperLinkViewController"));
    setFrameShape(QFrame::StyledPanel);
    setFixedSize(507, onClickRows ? 260 : 160);
    m_link = new ZovNSTextField(this);
    m_link->setPlaceholderText(QStringLiteral("http://"));
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_option = new QButtonGroup(this);
    m_type = new QButtonGroup(this);
    m_pages = new QComboBox(this);
    m_show = new QLineEdit(this);
    m_hide = new QLineEdit(this);
    m_refusal = new QLabel(this);
    m_refusal->setWordWrap(true);
    m_refusal->setStyleSheet(QStringLiteral("color: #b00020"));

    auto *form = new QFormLayout;
    auto *linkRow = new QHBoxLayout;
    linkRow->addWidget(m_link, 1);
    linkRow->addWidget(m_save);
    form->addRow(QStringLiteral("Link"), linkRow);
    form->addRow(QStringLiteral("Page"), m_pages);
    form->addRow(QStringLiteral("Open in"),
                 segmentRow(this, m_option, {QStringLiteral("Same Window"), QStringLiteral("New Window"),
                                             QStringLiteral("Parent Frame")}));
    QWidget *typeRow = segmentRow(this, m_type, {QStringLiteral("Text"), QStringLiteral("Shape")});
    m_typeLabel = new QLabel(QStringLiteral("Apply link to"), this);
    form->addRow(m_typeLabel, typeRow);
    m_typeWidgets = {m_typeLabel, typeRow};
    if (onClickRows) {
        form->addRow(QStringLiteral("On click show"), m_show);
        form->addRow(QStringLiteral("On click hide"), m_hide);
    } else {
        m_show->hide();
        m_hide->hide();
    }
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_refusal);

    connect(m_pages, &QComboBox::activated, this, [this] { updateHyperLink(); });
    connect(m_save, &QPushButton::clicked, this, [this] { saveLink(); });
    connect(m_link, &QLineEdit::returnPressed, this, [this] { saveLink(); });
}

void HyperLinkViewController::applyLinkPopOver(SelectionProxy &selection, const QList<ProjectPage> &pages,
                                               const QString &existingLink, const QString &existingShow,
                                               const QString &existingHide, std::function<void()> done)
{
    m_selection = &selection;
    m_done = std::move(done);
    m_link->setText(existingLink);
    m_show->setText(existingShow);
    m_hide->setText(existingHide);
    m_link->setPagesProvider([pages] { return pages; });
    m_refusal->clear();

    const QList<SKTGraphic *> selected = selection.selectedGraphics();
    SKTGraphic *first = selected.isEmpty() ? nullptr : selected.first();
    const bool textual = dynamic_cast<SKTText *>(first) || dynamic_cast<SKTTable *>(first);
    for (QWidget *w : m_typeWidgets)
        w->setVisible(textual);
    if (textual) {
        QString type = first->linkType();
        if (auto *table = dynamic_cast<SKTTable *>(first))
            if (const SKTTable::Cell cell = table->grabCurrentTableCellHelper())
                type = cell->linkType;
        m_type->button(type == QLatin1String("text") ? 0 : 1)->setChecked(true);
    }

    fillPageMenu(m_pages, pages);
}

void HyperLinkViewController::updateHyperLink()
{
    if (m_pages->currentIndex() > 0)
        m_link->setText(m_pages->currentText());
}

void HyperLinkViewController::saveLink()
{
    if (!m_selection)
        return;
    LinkEditing::LinkValues v;
    v.link = m_link->text();
    v.optionSegment = m_option->checkedId();
    v.typeSegment = m_type->checkedId();
    v.onClickShow = m_show->text();
    v.onClickHide = m_hide->text();
    QString cleaned;
    const QString refusal = LinkEditing::saveLink(*m_selection, v, &cleaned);
    if (!refusal.isEmpty()) {
        // Stays open with what was typed, so the user can mend it.
        m_refusal->setText(refusal);
        return;
    }
    m_link->setText(cleaned);
    m_refusal->clear();
    if (m_done)
        m_done();
}
