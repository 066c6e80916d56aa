#include "sidebar/ui/PresetPickers.h"

#include "config/EditionSettings.h"
#include "sidebar/PresetPickerPlan.h"
#include "sidebar/ui/FloatWindowController.h"
#include "sidebar/ui/FontOrnamentViewController.h"

#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace {
constexpr char kTagProperty[] = "zovPresetTag";

FloatWindowController *sheetWith(QWidget *window, FontOrnamentViewController *content, const QString &title)
{
    auto *sheet = new FloatWindowController(window ? window->window() : nullptr);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->setWindowTitle(title);
    sheet->setContent(content);
    sheet->beginSheet();
    return sheet;
}

QPushButton *presetButton(QWidget *parent, const PresetButtonPlace &place, const PresetPickers::Pick &pick)
{
    auto *button = new QPushButton(parent);
    button->setFlat(true);
    button->setGeometry(place.frame);
    button->setProperty(kTagProperty, place.tag);
    const int tag = place.tag;
    QObject::connect(button, &QPushButton::clicked, button, [button, pick, tag] {
        // The sheet ends first; then the preset goes in.
        if (auto *sheet = qobject_cast<FloatWindowController *>(button->window()))
            sheet->cancelFloatWindowControllerSheet();
        if (pick)
            pick(tag);
    });
    return button;
}
} // namespace

FloatWindowController *PresetPickers::createShapePopover(QWidget *window, Pick pick)
{
    auto *content = new FontOrnamentViewController(QSize(500, 530));
    int bottom = 0;
    for (const PresetButtonPlace &place : planShapePicker(gPresetShapes)) {
        const ShapeSelectionView &preset = gPresetShapes.at(place.tag);
        QPushButton *button = presetButton(content, place, pick);
        QImage image(std::max(1, place.frame.width()), std::max(1, place.frame.height()),
                     QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(image.rect()), preset.cornerRadius, preset.cornerRadius);
        p.fillPath(path, preset.fillColor.isValid() ? preset.fillColor : QColor(Qt::white));
        p.end();
        button->setIcon(QPixmap::fromImage(image));
        button->setIconSize(image.size());
        bottom = std::max(bottom, place.frame.bottom() + 1);
    }
    content->resize(500, std::max(530, bottom));
    return sheetWith(window, content, QObject::tr("Shapes"));
}

FloatWindowController *PresetPickers::createTextViewPopover(QWidget *window, Pick pick)
{
    auto *content = new FontOrnamentViewController(QSize(400, 480));
    int bottom = 0;
    for (const PresetButtonPlace &place : planTextPicker(gPresetTextStyles)) {
        const ShapeSelectionView &preset = gPresetTextStyles.at(place.tag);
        QPushButton *button = presetButton(content, place, pick);
        button->setText(preset.textString);
        if (preset.font)
            button->setFont(*preset.font);
        button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: none; }")
                                  .arg(preset.fillColor.isValid() ? preset.fillColor.name() : QStringLiteral("white"),
                                       preset.textColor.isValid() ? preset.textColor.name() : QStringLiteral("black")));
        bottom = std::max(bottom, place.frame.bottom() + 1);
    }
    content->resize(400, std::max(480, bottom + 5));
    return sheetWith(window, content, QObject::tr("Text Styles"));
}

QList<QPushButton *> PresetPickers::buttons(FloatWindowController *sheet)
{
    QList<QPushButton *> list;
    if (!sheet)
        return list;
    for (QPushButton *b : sheet->mainView()->findChildren<QPushButton *>())
        if (b->property(kTagProperty).isValid())
            list.append(b);
    std::sort(list.begin(), list.end(), [](QPushButton *a, QPushButton *b) {
        return a->property(kTagProperty).toInt() < b->property(kTagProperty).toInt();
    });
    return list;
}
