#include "window/ui/FloatWindowController.h"

#include "config/EditionSettings.h"
#include "window/PresetPickerLayout.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

FloatWindowController::FloatWindowController(const QSize &containerSize, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("floatWindowController"));
    setWindowModality(Qt::WindowModal);
    auto *layout = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    main_ = new QWidget;
    main_->setObjectName(QStringLiteral("mainView"));
    main_->setFixedSize(containerSize);
    scroll->setWidget(main_);
    // Room for the whole container where the screen allows, a scroll bar beyond.
    scroll->setMinimumSize(std::min(containerSize.width() + 4, 640), std::min(containerSize.height() + 4, 560));
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    layout->addWidget(scroll, 1);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    setAttribute(Qt::WA_DeleteOnClose);
}

FloatWindowController *FloatWindowController::shapePicker(QWidget *parent)
{
    const QList<QRect> frames = PresetPickerLayout::shapeButtonFrames(gPresetShapes);
    // The container is 500 square, wider or taller when the presets reach further.
    QRect bounds(0, 0, 500, 500);
    for (const QRect &frame : frames)
        bounds |= frame.adjusted(0, 0, 5, 5);
    auto *sheet = new FloatWindowController(bounds.size(), parent);
    for (int i = 0; i < frames.size(); ++i) {
        const ShapeSelectionView &preset = gPresetShapes.at(i);
        QImage image(frames.at(i).size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(QPointF(0, 0), preset.frame.size()), preset.cornerRadius, preset.cornerRadius);
        painter.fillPath(path, preset.fillColor);
        painter.end();
        auto *button = new QPushButton(sheet->mainView());
        button->setFlat(true);
        button->setGeometry(frames.at(i));
        button->setIcon(QPixmap::fromImage(image));
        button->setIconSize(frames.at(i).size());
        button->setObjectName(QStringLiteral("shape%1").arg(i));
        connect(button, &QPushButton::clicked, sheet, [sheet, i] {
            sheet->accept();
            emit sheet->picked(i);
        });
    }
    return sheet;
}

FloatWindowController *FloatWindowController::textPicker(QWidget *parent)
{
    auto *sheet = new FloatWindowController(QSize(400, 480), parent);
    const QList<QRect> frames = PresetPickerLayout::textButtonFrames(gPresetTextStyles);
    sheet->mainView()->setFixedHeight(std::max(480, frames.isEmpty() ? 0 : frames.last().bottom() + 5));
    for (int i = 0; i < frames.size(); ++i) {
        const ShapeSelectionView &preset = gPresetTextStyles.at(i);
        auto *button = new QPushButton(preset.textString, sheet->mainView());
        button->setFlat(true);
        button->setGeometry(frames.at(i));
        button->setObjectName(QStringLiteral("text%1").arg(i));
        if (preset.font)
            button->setFont(*preset.font);
        button->setStyleSheet(QStringLiteral("QPushButton { color: %1; background-color: %2; border: none; }")
                                  .arg(preset.textColor.name(QColor::HexArgb), preset.fillColor.name(QColor::HexArgb)));
        connect(button, &QPushButton::clicked, sheet, [sheet, i] {
            sheet->accept();
            emit sheet->picked(i);
        });
    }
    return sheet;
}
