#pragma once
// The settings every view of program text shares: the source window, the canvas's
// code editor and the mail code view. Code must stay exactly as typed, so nothing
// may help the typist (no predictive text, no automatic capitals, no reformatting
// by an input method), and the editor's font size follows its slider in whole
// points.
#include <QFont>

class QPlainTextEdit;

class CodeEditorSettings {
public:
    CodeEditorSettings() = delete;

    static constexpr int kEditorPointSize = 13;

    // Turns every typing aid of view off; Tab inserts a tab instead of moving focus.
    static void turnOffTypingAids(QPlainTextEdit *view);
    // The editor's font: the system font at 13 points.
    static QFont editorFont();
    // A code editor's set-up: typing aids off and the editor font.
    static void setUpEditor(QPlainTextEdit *view);
    // The size a slider value gives: truncated to a whole number of points, at
    // least 1.
    static int pointSizeForSliderValue(double value);
    // The view's font becomes the same family at the slider's size.
    static void adjustCodeFontSize(QPlainTextEdit *view, double sliderValue);
};
