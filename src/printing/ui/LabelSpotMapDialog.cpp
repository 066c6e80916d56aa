#include "printing/ui/LabelSpotMapDialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>

LabelSpotMapDialog::LabelSpotMapDialog(const LabelSpotPlan &plan, QWidget *window)
    : QDialog(window)
    , plan_(plan)
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(tr("Choose Spots"));

    auto *map = new QWidget(this);
    map->setFixedSize(static_cast<int>(std::ceil(plan_.containerSize.width())),
                      static_cast<int>(std::ceil(plan_.containerSize.height())));
    map->setStyleSheet(QStringLiteral("background: white;"));
    for (const LabelSpot &spot : std::as_const(plan_.spots)) {
        auto *button = new QPushButton(spot.title, map);
        button->setGeometry(spot.frame.toAlignedRect());
        button->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid #b0b0b0; background: #f4f4f4; }"
                                             "QPushButton[selected=\"true\"] { background: #3d7fd9; color: white; }"));
        const int32_t tag = spot.tag;
        connect(button, &QPushButton::clicked, this, [this, button, tag] {
            plan_.toggle(tag);
            for (const LabelSpot &s : std::as_const(plan_.spots)) {
                if (s.tag != tag)
                    continue;
                button->setText(s.title);
                button->setProperty("selected", s.title == LabelSpotPlan::selectedTitle());
                button->style()->unpolish(button);
                button->style()->polish(button);
            }
        });
        // A spot's own menu prints or exports the label on that spot alone.
        const int32_t row = spot.rowNumber;
        const int32_t column = spot.columnNumber;
        button->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto *printOne = new QAction(tr("Print on This Spot Only"), button);
        auto *exportOne = new QAction(tr("Export This Spot as PDF..."), button);
        connect(printOne, &QAction::triggered, this, [this, row, column] {
            accept();
            emit singleSpot(row, column, true);
        });
        connect(exportOne, &QAction::triggered, this, [this, row, column] {
            accept();
            emit singleSpot(row, column, false);
        });
        button->addAction(printOne);
        button->addAction(exportOne);
        buttons_.append(button);
    }

    auto *instructions = new QLabel(LabelSpotPlan::instructions(), this);
    instructions->setWordWrap(true);
    instructions->setFixedWidth(180);
    instructions->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    instructions->setStyleSheet(QStringLiteral("color: #404040; font-size: 12px;"));

    auto *cancel = new QPushButton(tr("Cancel"), this);
    printButton_ = new QPushButton(tr("Print Preview"), this);
    printButton_->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton_, &QPushButton::clicked, this, [this] {
        const QList<QPoint> spots = plan_.selectedSpots();
        accept();
        emit printSpots(spots);
    });

    auto *top = new QHBoxLayout;
    top->addWidget(map, 0, Qt::AlignTop);
    top->addSpacing(24);
    top->addWidget(instructions, 0, Qt::AlignTop);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(printButton_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

QPushButton *LabelSpotMapDialog::spotButton(int32_t tag) const
{
    return tag >= 0 && tag < buttons_.size() ? buttons_.at(tag) : nullptr;
}
