#pragma once
// Context-menu services for one selected text box: storing its text in the
// saved-text collection, appending a saved text to it, and setting the width
// and height attributes of an HTML snippet's code to the box's size.
#include "insertion/InsertionFrame.h"

#include <QString>

class SKTText;

class TextCommands {
public:
    explicit TextCommands(InsertionFrame &frame) : m_frame(frame) {}

    // One plain text box (no form item) is selected; it is remembered.
    bool savedTextShown();
    // Appends {"Added <date>", its text} to the collection; false without a box.
    bool addToSavedTextWindow();
    // The box's text, a line break and the saved text, as one undo step.
    bool pullFromSavedText(const QString &savedText);

    // Never in responsive editions; else one HTML snippet is selected (remembered).
    bool showAutoAdjustSnippetSize();
    bool autoAdjustSnippetSize();
    // The code with the values of its real width and height attributes (the
    // ones equal to the first of each) set to the numbers, unquoted; the code
    // unchanged when either attribute is missing.
    static QString resizeSnippetCode(const QString &code, int32_t width, int32_t height);

private:
    SKTText *singleText();
    InsertionFrame &m_frame;
};
