#pragma once
// The window in which the markup of an HTML snippet is edited: a plain-text
// view without typing aids (quotes stay straight, nothing is corrected), a
// font-size slider and Save. Not modal; the canvas keeps one and reuses it,
// so the window keeps its place and size between uses.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class QSlider;

class CodeEditorWindowController : public QWidget {
    Q_OBJECT
public:
    explicit CodeEditorWindowController(QWidget *parent = nullptr);
    QPlainTextEdit *codeEditorTextView() const { return m_text; }
    QPushButton *saveButton() const { return m_save; }
    QSlider *fontSizeSlider() const { return m_slider; }

    // The editor's font becomes its family at the whole-number size.
    void adjustCodeFontSize(double size);

private:
    QPlainTextEdit *m_text;
    QPushButton *m_save;
    QSlider *m_slider;
};
