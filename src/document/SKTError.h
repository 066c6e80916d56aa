#pragma once
// The errors the page document reports to scripting and the clipboard code.
#include <QString>

struct SKTError {
    QString domain;
    int code = 0;
    QString localizedDescription;
    QString localizedFailureReason;
};

// Code 2: clipboard data could not be read as graphics; code 3: graphics could
// not be drawn as image data. Other codes get the general texts.
SKTError SKTErrorFromCode(int code);
