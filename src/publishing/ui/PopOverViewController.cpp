#include "publishing/ui/PopOverViewController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PopOverViewController::PopOverViewController(QWidget *parent) : QFrame(parent, Qt::Popup)
{
    setObjectName(QStringLiteral("PopOverViewController"));
    setFrameShape(QFrame::StyledPanel);
    title_ = new QLineEdit(this);
    title_->setMinimumWidth(220);
    save_ = new QPushButton(tr("Save Mailing List"), this);
    save_->setDefault(true);
    saved_ = new QLabel(this);
    connect(save_, &QPushButton::clicked, this, [this] {
        emit saveRequested(title_->text());
        close();
    });
    connect(title_, &QLineEdit::returnPressed, save_, &QPushButton::click);
    auto *row = new QHBoxLayout;
    row->addWidget(title_, 1);
    row->addWidget(save_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Name of the mailing list:"), this));
    layout->addLayout(row);
    layout->addWidget(saved_);
}

void PopOverViewController::showNextTo(QWidget *anchor, const QString &title)
{
    title_->setText(title);
    title_->selectAll();
    adjustSize();
    if (anchor)
        move(anchor->mapToGlobal(QPoint(anchor->width() + 4, (anchor->height() - height()) / 2)));
    show();
    title_->setFocus();
}
