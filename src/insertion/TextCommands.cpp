#include "insertion/TextCommands.h"

#include "config/EditionSettings.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionDates.h"
#include "insertion/InsertionStep.h"
#include "insertion/SavedTextStore.h"
#include "model/SKTText.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

SKTText *TextCommands::singleText()
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    return selection.size() == 1 ? dynamic_cast<SKTText *>(selection.front()) : nullptr;
}

bool TextCommands::savedTextShown()
{
    SKTText *text = singleText();
    if (!text || !text->formType().isEmpty())
        return false;
    m_frame.context().cache().selectedTextbox = text;
    return true;
}

bool TextCommands::addToSavedTextWindow()
{
    auto *text = dynamic_cast<SKTText *>(m_frame.context().stillOnPage(m_frame.context().cache().selectedTextbox));
    if (!text)
        return false;
    m_frame.context().savedTexts().append(
        {QStringLiteral("Added ") + InsertionDates::longDateAt(QDateTime::currentDateTime()), text->textString()});
    return true;
}

bool TextCommands::pullFromSavedText(const QString &savedText)
{
    auto *text = dynamic_cast<SKTText *>(m_frame.context().stillOnPage(m_frame.context().cache().selectedTextbox));
    if (!text)
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Add Saved Text"));
    text->setTextString(text->textString() + QLatin1Char('\n') + savedText);
    return true;
}

bool TextCommands::showAutoAdjustSnippetSize()
{
    if (gResponsiveEdition)
        return false;
    SKTText *text = singleText();
    if (!text || text->textType() != QLatin1String("HTMLSnippet"))
        return false;
    m_frame.context().cache().selectedSnippet = text;
    return true;
}

QString TextCommands::resizeSnippetCode(const QString &code, int32_t width, int32_t height)
{
    // A real attribute stands after a blank or a tag's name, never inside a
    // longer name such as max-width; its value is quoted or runs to a blank
    // or the end of the tag.
    auto pattern = [](const QString &name) {
        return QRegularExpression(QStringLiteral("(?<![\\w:-])(%1\\s*=\\s*)(\"[^\"]*\"|'[^']*'|[^\\s>\"'/]+)")
                                      .arg(name),
                                  QRegularExpression::CaseInsensitiveOption);
    };
    const QRegularExpression widthAttr = pattern(QStringLiteral("width"));
    const QRegularExpression heightAttr = pattern(QStringLiteral("height"));
    const auto firstWidth = widthAttr.match(code);
    const auto firstHeight = heightAttr.match(code);
    if (!firstWidth.hasMatch() || !firstHeight.hasMatch())
        return code;
    auto replaceAll = [](const QString &text, const QRegularExpression &re, const QString &oldValue, int32_t value) {
        QString out;
        qsizetype last = 0;
        auto it = re.globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            if (m.captured(2) != oldValue)
                continue;
            out += text.mid(last, m.capturedStart(2) - last);
            out += QString::number(value);
            last = m.capturedEnd(2);
        }
        out += text.mid(last);
        return out;
    };
    QString result = replaceAll(code, widthAttr, firstWidth.captured(2), width);
    return replaceAll(result, heightAttr, firstHeight.captured(2), height);
}

bool TextCommands::autoAdjustSnippetSize()
{
    auto *snippet = dynamic_cast<SKTText *>(m_frame.context().stillOnPage(m_frame.context().cache().selectedSnippet));
    if (!snippet)
        return false;
    const QString code = snippet->textString();
    const QString resized = resizeSnippetCode(code, int32_t(std::trunc(snippet->width())),
                                              int32_t(std::trunc(snippet->height())));
    if (resized == code)
        return false;
    InsertionStep step(m_frame.document(), QStringLiteral("Adjust Snippet Size"));
    snippet->setTextString(resized);
    return true;
}
