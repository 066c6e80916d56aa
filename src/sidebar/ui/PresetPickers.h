#pragma once
// The shape and text preset pickers: a pop-over content view of the
// pickers' size (FontOrnamentViewController) holding one button per preset,
// shown in a FloatWindowController sheet over the window. A pick closes the
// sheet and hands the preset's index to the inserter; Cancel inserts nothing.
#include <QList>

#include <functional>

class FloatWindowController;
class QPushButton;
class QWidget;

class PresetPickers {
public:
    PresetPickers() = delete;
    using Pick = std::function<void(int tag)>;

    // showShapePopOver / showTextViewPopOver: the sheet, already shown.
    static FloatWindowController *createShapePopover(QWidget *window, Pick pick);
    static FloatWindowController *createTextViewPopover(QWidget *window, Pick pick);
    // The preset buttons of a picker sheet, in tag order.
    static QList<QPushButton *> buttons(FloatWindowController *sheet);
};
