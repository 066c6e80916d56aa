// The settings shared by the code views: typed quotes stay straight, no input aid
// is asked for, the editor starts at 13 points of the system font, and the font
// size follows the slider in whole points.
#include "generation/ui/SourceCodeWindowController.h"
#include "platform/ui/CodeEditorSettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <limits>

namespace {

void typeText(QWidget *view, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(view, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(view, &release);
    }
}

TEST(CodeEditorSettingsTest, TheEditorKeepsCodeAsTyped)
{
    QPlainTextEdit editor;
    CodeEditorSettings::setUpEditor(&editor);
    EXPECT_EQ(editor.font().pointSize(), 13);
    const Qt::InputMethodHints hints = editor.inputMethodHints();
    EXPECT_TRUE(hints.testFlag(Qt::ImhNoPredictiveText));
    EXPECT_TRUE(hints.testFlag(Qt::ImhNoAutoUppercase));
    EXPECT_FALSE(editor.tabChangesFocus());

    const QString code = QStringLiteral("<a href=\"x.html\" title='it's'>--</a>\t...");
    typeText(&editor, code);
    EXPECT_EQ(editor.toPlainText(), code);

    // The source window's view shares the settings.
    SourceCodeWindowController source;
    EXPECT_TRUE(source.textView()->inputMethodHints().testFlag(Qt::ImhNoPredictiveText));
}

TEST(CodeEditorSettingsTest, FontSizeFollowsTheSliderInWholePoints)
{
    const struct {
        double slider;
        int points;
    } cases[] = {{17.9, 17}, {13.0, 13}, {9.5, 9}, {0.4, 1}, {-3.0, 1}, {2e9, 1000},
                 {std::numeric_limits<double>::quiet_NaN(), 1}};
    for (const auto &c : cases)
        EXPECT_EQ(CodeEditorSettings::pointSizeForSliderValue(c.slider), c.points) << c.slider;

    QPlainTextEdit editor;
    CodeEditorSettings::setUpEditor(&editor);
    const QString family = editor.font().family();
    CodeEditorSettings::adjustCodeFontSize(&editor, 17.9);
    EXPECT_EQ(editor.font().pointSize(), 17);
    EXPECT_EQ(editor.font().family(), family);
}

}  // namespace
