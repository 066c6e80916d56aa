#pragma once
// One form field's part of the mail that the form mailer sends.
#include <QString>
#include <cstdint>

struct FormSortHelper {
    QString formMessageBody;       // for a double-quoted PHP string
    QString formMessageBody_quote; // for a single-quoted PHP string
    QString formBodyString;        // the field's markup
    int32_t formXPosition = 0;
    int32_t formYPosition = 0;     // the mail lists fields ascending by it
};
