#pragma once
// The label-spot chooser's sheet: a main view in which the opener lays out
// its buttons (kept in buttonArray), with Cancel and Print buttons.
// cancelFontOrnamentWindowControllerSheet closes it.
#include <QDialog>
#include <QList>

class QPushButton;

class FontOrnamentWindowController : public QDialog {
    Q_OBJECT
public:
    explicit FontOrnamentWindowController(QWidget *parent = nullptr);

    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *printButton() const { return m_print; }
    QWidget *mainView() const { return m_mainView; }
    QList<QPushButton *> &buttonArray() { return m_buttons; }
    void cancelFontOrnamentWindowControllerSheet();

private:
    QPushButton *m_cancel = nullptr;
    QPushButton *m_print = nullptr;
    QWidget *m_mainView = nullptr;
    QList<QPushButton *> m_buttons;
};
