#pragma once
// The canvas text box: text in one uniform style (font, colour, alignment and
// fixed line height from the graphic's attributes) on a background shape with
// border and shadow. Also serves form fields and labels (formType) and zoom
// bubbles (zoomBubbleFlag). Measured and drawn with QTextLayout; edited in
// place by the canvas through TextGraphicEditor (model/ui).
#include "platform/TextCodec.h"
#include "model/SKTGraphic.h"

#include <optional>

class SKTText : public SKTGraphic {
public:
    SKTText();
    QString className() const override { return QStringLiteral("SKTText"); }
    std::unique_ptr<SKTGraphic> copy() const override;

    QString textString() const override { return m_text; }
    // The text the graphic holds, in its one uniform style (the style lives in
    // the graphic's attributes); the same as textString().
    QString contents() const { return m_text; }
    // Typed, pasted or scripted text keeps no control characters but tab,
    // line feed and carriage return: the others cannot be stored in a page.
    void setTextString(const QString &text)
    {
        changeAttribute(m_text, TextCodec::withoutControlCharacters(text), QStringLiteral("textString"));
    }
    // Replaces the text wholesale (personalisation tags) and re-applies the style.
    void updateTextString(const QString &text);
    void refreshStyle();

    int32_t zoomBubbleFlag() const { return m_zoomBubbleFlag; }
    void setZoomBubbleFlag(int32_t flag) { changeAttribute(m_zoomBubbleFlag, flag, QStringLiteral("zoomBubbleFlag")); }
    bool partOfTableFlag() const { return m_partOfTableFlag; }
    void setPartOfTableFlag(bool on) { m_partOfTableFlag = on; }

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    void readProperties(const GraphicProperties &properties) override;
    QStringList keyPathsForValuesAffectingDrawingContents() const override;
    // Base keys, plus "undoContents" while scripting changes the text, minus
    // "bounds" while the bounds are re-applied after an edit.
    QStringList keysForValuesToObserveForUndo() const override;

    // The text as a scripting property. A scripting change is recorded for
    // undo as one "undoContents" change (named "Text"), not as typing.
    QString scriptingContents() const { return m_text; }
    void setScriptingContents(const QVariant &value);
    static QString coerceValueForScriptingContents(const QVariant &value);
    void willChangeScriptingContents() { m_contentsBeingChangedByScripting = true; }
    void didChangeScriptingContents() { m_contentsBeingChangedByScripting = false; }
    QString undoContents() const { return m_text; }
    void setUndoContents(const QString &text) { setScriptingContents(text); }
    // Re-applies the bounds unchanged after an edit so that observers redraw,
    // without recording an undo step for the bounds.
    void setHeightToMatchContents();

    QRectF drawingBounds() override;
    QPainterPath bezierPathForDrawing(GraphicPainter &painter) override;
    void drawContents(GraphicPainter &painter, bool beingCreatedOrEdited) override;
    bool canSetDrawingStroke() const override { return true; }

    // Size of the laid-out text at the current width.
    QSizeF naturalSize() const;
    // Measures the text as it is drawn and keeps its height in textHeight,
    // which page generation reads; drawing does the same.
    void updateTextHeight();
    // The font, colour, alignment and line height every character shares.
    QFont textFont() const;
    QColor textColour() const;
    double lineHeight() const;

    // In-place editing: the editor's frame inside a canvas of the given
    // bounds, or nothing when this text is not edited in place.
    bool canEditInPlace() const;
    QRectF editingFrame() const;
    double editingMaximumHeight(const QRectF &superviewBounds) const;

protected:
    void writeProperties(GraphicProperties &properties) override;

private:
    QPainterPath shapePath();
    void applyShadowBefore(GraphicPainter &painter) const;
    int32_t roundedInset() const;
    double textContainerWidth() const;

    QString m_text;
    int32_t m_zoomBubbleFlag = 0;
    bool m_partOfTableFlag = false;
    bool m_contentsBeingChangedByScripting = false;
    bool m_boundsBeingChangedToMatchContents = false;
};
