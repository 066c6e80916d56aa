#pragma once
// The small window-modal sheet of the preset pickers and the print layout:
// a container at the top (top-down coordinates) and a Cancel button.
#include <QDialog>

class QPushButton;

class FloatWindowController : public QDialog {
    Q_OBJECT
public:
    FloatWindowController(const QSize &containerSize, QWidget *parent);
    QWidget *mainView() const { return main_; }
    QPushButton *cancelButton() const { return cancel_; }

    // The shape picker: one button per preset, filled with its colour and
    // corners; picked(tag) when one is clicked.
    static FloatWindowController *shapePicker(QWidget *parent);
    static FloatWindowController *textPicker(QWidget *parent);

signals:
    void picked(int tag);

private:
    QWidget *main_ = nullptr;
    QPushButton *cancel_ = nullptr;
};
