#include "insertion/ui/MultiplyViewController.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QComboBox *choices(const QStringList &items, const QString &selected, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->addItems(items);
    box->setCurrentText(selected);
    return box;
}
} // namespace

MultiplyViewController::MultiplyViewController(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(tr("Branches"));
    setFixedSize(220, 300);
    QStringList counts;
    for (int i = 1; i <= 100; ++i)
        counts << QString::number(i);
    QStringList sizes;
    for (int i = 1; i <= 15; ++i)
        sizes << QString::number(i / 10.0, 'f', 1);
    QStringList distances;
    for (int d = 50; d <= 950; d += 50)
        distances << QString::number(d);
    popupButton = choices(counts, QStringLiteral("5"), this);
    sizePopUpButton = choices(sizes, QStringLiteral("0.7"), this);
    distancePopUpButton = choices(distances, QStringLiteral("300"), this);
    lineTypePopUpButton = choices({QStringLiteral("dashed"), QStringLiteral("dotted"), QStringLiteral("solid")},
                                  QStringLiteral("dashed"), this);
    degreePopUpButton = choices({QStringLiteral("360"), QStringLiteral("270"), QStringLiteral("180"),
                                 QStringLiteral("90"), QStringLiteral("75"), QStringLiteral("60"),
                                 QStringLiteral("45"), QStringLiteral("-45"), QStringLiteral("-90"),
                                 QStringLiteral("-180"), QStringLiteral("-270")},
                                QStringLiteral("360"), this);
    addButton = new QPushButton(tr("Add"), this);
    addButton->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(tr("Generate branches"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto *form = new QFormLayout;
    form->addRow(tr("Branches"), popupButton);
    form->addRow(tr("Arc (degrees)"), degreePopUpButton);
    form->addRow(tr("Length"), distancePopUpButton);
    form->addRow(tr("Box size"), sizePopUpButton);
    form->addRow(tr("Line"), lineTypePopUpButton);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(addButton, 0, Qt::AlignRight);
    connect(addButton, &QPushButton::clicked, this, [this] {
        const BranchOptions chosen = options();
        if (windowFlags() & Qt::Popup)
            close();
        emit addRequested(chosen);
    });
}

BranchOptions MultiplyViewController::options() const
{
    BranchOptions o;
    o.count = popupButton->currentText().toInt();
    o.degrees = degreePopUpButton->currentText().toInt();
    o.distance = distancePopUpButton->currentText().toInt();
    o.scale = sizePopUpButton->currentText().toDouble();
    o.lineStyle = lineTypePopUpButton->currentText();
    return o;
}

void MultiplyViewController::showBeside(QWidget *canvas, const QRect &anchor)
{
    setParent(canvas, Qt::Popup);
    QPoint at = canvas ? canvas->mapToGlobal(anchor.topLeft()) : anchor.topLeft();
    at.rx() -= width();
    if (const QScreen *screen = canvas ? canvas->screen() : nullptr) {
        const QRect room = screen->availableGeometry();
        if (at.x() < room.left())
            at.setX(canvas->mapToGlobal(anchor.topRight()).x());
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    move(at);
    show();
}
