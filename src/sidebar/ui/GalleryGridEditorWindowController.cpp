#include "sidebar/ui/GalleryGridEditorWindowController.h"

#include "sidebar/GridEditing.h"
#include "model/SKTGalleryGrid.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QHBoxLayout *segments(QWidget *parent, QButtonGroup *group, const QStringList &titles)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    for (int i = 0; i < titles.size(); ++i) {
        auto *b = new QPushButton(titles[i], parent);
        b->setCheckable(true);
        group->addButton(b, i);
        row->addWidget(b);
    }
    group->setExclusive(true);
    return row;
}
} // namespace

GalleryGridEditorWindowController::GalleryGridEditorWindowController(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Configure Gallery Grid"));
    m_columns = new QLineEdit(this);
    m_rows = new QLineEdit(this);
    m_spacing = new QLineEdit(this);
    m_save = new QPushButton(QStringLiteral("Save"), this);
    m_spacingSlider = new QSlider(Qt::Horizontal, this);
    m_spacingSlider->setRange(0, GridEditing::gallerySpacingMaximum);
    m_spacingSlider->setTickPosition(QSlider::TicksBelow);
    m_spacingSlider->setTickInterval(GridEditing::gallerySpacingMaximum / 10);
    m_shadow = new QButtonGroup(this);
    m_backdrop = new QButtonGroup(this);
    m_columnStepper = new QSpinBox(this);
    m_rowStepper = new QSpinBox(this);
    for (QSpinBox *s : {m_columnStepper, m_rowStepper})
        s->setRange(1, GridEditing::maximumCount);
    m_message = new QLabel(this);
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00020"));

    auto *form = new QFormLayout;
    auto *c = new QHBoxLayout;
    c->addWidget(m_columns);
    c->addWidget(m_columnStepper);
    form->addRow(QStringLiteral("Columns"), c);
    auto *r = new QHBoxLayout;
    r->addWidget(m_rows);
    r->addWidget(m_rowStepper);
    form->addRow(QStringLiteral("Rows"), r);
    auto *s = new QHBoxLayout;
    s->addWidget(m_spacingSlider, 1);
    s->addWidget(m_spacing);
    form->addRow(QStringLiteral("Spacing"), s);
    form->addRow(QStringLiteral("Shadow"), segments(this, m_shadow, {QStringLiteral("None"), QStringLiteral("Shadow")}));
    form->addRow(QStringLiteral("Backdrop"),
                 segments(this, m_backdrop, {QStringLiteral("None"), QStringLiteral("Light"), QStringLiteral("Dark")}));
    auto *top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(m_message);
    top->addWidget(m_save, 0, Qt::AlignRight);

    connect(m_spacingSlider, &QSlider::valueChanged, this, [this](int v) {
        if (m_filling || !m_gallery)
            return;
        m_editing->adjustGallerySpacing(*m_gallery, v);
        m_spacing->setText(QString::number(m_gallery->padding()));
    });
    connect(m_shadow, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_gallery)
            m_editing->adjustGalleryShadow(*m_gallery, id);
    });
    connect(m_backdrop, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_gallery)
            m_editing->adjustGalleryBackdrop(*m_gallery, id);
    });
    connect(m_columnStepper, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_filling || !m_gallery)
            return;
        m_columns->setText(QString::number(v));
        countTyped(true);
    });
    connect(m_rowStepper, &QSpinBox::valueChanged, this, [this](int v) {
        if (m_filling || !m_gallery)
            return;
        m_rows->setText(QString::number(v));
        countTyped(false);
    });
    connect(m_columns, &QLineEdit::textEdited, this, [this] { countTyped(true); });
    connect(m_rows, &QLineEdit::textEdited, this, [this] { countTyped(false); });
    connect(m_save, &QPushButton::clicked, this, [this] { saveGallerySettings(); });
}

void GalleryGridEditorWindowController::fill()
{
    m_filling = true;
    m_columns->setText(QString::number(m_gallery->numOfColumns()));
    m_rows->setText(QString::number(m_gallery->numOfRows()));
    m_spacing->setText(QString::number(m_gallery->padding()));
    m_spacingSlider->setValue(m_gallery->padding());
    m_columnStepper->setValue(std::max(1, m_gallery->numOfColumns()));
    m_rowStepper->setValue(std::max(1, m_gallery->numOfRows()));
    if (QAbstractButton *b = m_shadow->button(m_gallery->shadowFlag() != 0 ? 1 : 0))
        b->setChecked(true);
    if (QAbstractButton *b = m_backdrop->button(m_gallery->backdropLightingFlag()))
        b->setChecked(true);
    m_filling = false;
}

void GalleryGridEditorWindowController::configureGalleryGrid(SKTGalleryGrid &gallery, GridEditing &editing)
{
    m_gallery = &gallery;
    m_editing = &editing;
    m_message->clear();
    fill();
    show();
    raise();
}

void GalleryGridEditorWindowController::countTyped(bool columns)
{
    if (m_filling || !m_gallery)
        return;
    QLineEdit *field = columns ? m_columns : m_rows;
    if (field->text().isEmpty())
        return;  // the user is still typing
    const QString refusal = m_editing->setGalleryCount(*m_gallery, columns, field->text());
    m_message->setText(refusal);
    if (!refusal.isEmpty()) {
        field->setText(QString::number(columns ? m_gallery->numOfColumns() : m_gallery->numOfRows()));
        return;
    }
    m_filling = true;
    (columns ? m_columnStepper : m_rowStepper)->setValue(columns ? m_gallery->numOfColumns() : m_gallery->numOfRows());
    m_filling = false;
}

void GalleryGridEditorWindowController::saveGallerySettings()
{
    if (!m_gallery)
        return;
    const QString refusal = m_editing->saveGallerySettings(*m_gallery, m_spacing->text());
    if (!refusal.isEmpty()) {
        fill();
        m_message->setText(refusal);
        return;
    }
    m_message->clear();
    hide();
}
