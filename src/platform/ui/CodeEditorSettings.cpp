#include "platform/ui/CodeEditorSettings.h"

#include <QFontDatabase>
#include <QPlainTextEdit>

#include <cmath>

void CodeEditorSettings::turnOffTypingAids(QPlainTextEdit *view)
{
    if (!view)
        return;
    view->setInputMethodHints(view->inputMethodHints() | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase
                              | Qt::ImhPreferLatin | Qt::ImhNoTextHandles);
    view->setTabChangesFocus(false);
    view->setOverwriteMode(false);
    view->setCenterOnScroll(false);
}

QFont CodeEditorSettings::editorFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(kEditorPointSize);
    return font;
}

void CodeEditorSettings::setUpEditor(QPlainTextEdit *view)
{
    if (!view)
        return;
    turnOffTypingAids(view);
    view->setFont(editorFont());
}

int CodeEditorSettings::pointSizeForSliderValue(double value)
{
    if (!std::isfinite(value) || value < 1.0)
        return 1;
    if (value > 1000.0)
        return 1000;
    return int(std::trunc(value));
}

void CodeEditorSettings::adjustCodeFontSize(QPlainTextEdit *view, double sliderValue)
{
    if (!view)
        return;
    QFont font = view->font();
    font.setPointSize(pointSizeForSliderValue(sliderValue));
    view->setFont(font);
}
