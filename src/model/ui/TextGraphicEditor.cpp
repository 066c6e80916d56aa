#include "model/ui/TextGraphicEditor.h"

#include "config/DataCentre.h"
#include "model/SKTTable.h"
#include "model/SKTText.h"
#include "model/TextBlockLayout.h"
#include "model/myTextView.h"

#include <QTextBlock>
#include <algorithm>

TextGraphicEditor *TextGraphicEditor::create(SKTGraphic &graphic, const QRectF &canvasBounds, QWidget *parent)
{
    if (auto *text = dynamic_cast<SKTText *>(&graphic)) {
        if (!text->canEditInPlace())
            return nullptr;
        text->drawBoxModel();
        auto *editor = new TextGraphicEditor(parent, text->editingFrame(), text->editingMaximumHeight(canvasBounds));
        editor->m_text = text;
        editor->applyLook(text->textFont(), text->textColour(), text->fontAlignment(), text->textString());
        return editor;
    }
    if (auto *table = dynamic_cast<SKTTable *>(&graphic)) {
        const std::shared_ptr<myTextView> cell = table->editingCell();
        if (!cell)
            return nullptr;
        const QPointF touch = table->getLastTouchPoint();
        const QRectF frame = table->grabCurrentCellRect(int32_t(touch.x()), int32_t(touch.y()));
        auto *editor = new TextGraphicEditor(parent, frame, canvasBounds.height() - frame.y());
        editor->m_table = table;
        editor->m_cell = cell;
        const QColor colour = cell->textColorString.isEmpty() ? QColor(Qt::black)
                                                               : DataCentre::colorWithHexString(cell->textColorString);
        editor->applyLook(TextBlockLayout::fontFor(SKTTable::cellFamily(*cell), SKTTable::cellFontSize(*cell)), colour,
                          TextBlockLayout::alignmentCode(cell->textAlignment), SKTTable::cellText(*cell));
        return editor;
    }
    return nullptr;
}

TextGraphicEditor::TextGraphicEditor(QWidget *parent, const QRectF &frame, double maximumHeight)
    : QPlainTextEdit(parent), m_width(frame.width()), m_maximumHeight(std::max(maximumHeight, frame.height()))
{
    setGeometry(frame.toAlignedRect());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_TranslucentBackground);
    viewport()->setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("background: transparent;"));
    setUndoRedoEnabled(true);
    document()->setDocumentMargin(0);
}

void TextGraphicEditor::applyLook(const QFont &font, const QColor &colour, int32_t alignment, const QString &text)
{
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Text, colour);
    setPalette(colours);
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(alignment == 1 ? Qt::AlignHCenter
                        : alignment == 2 ? Qt::AlignRight
                        : alignment == 3 ? Qt::AlignJustify
                                         : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document()->setDefaultTextOption(option);
    setPlainText(text);
    selectAll();
    connect(this, &QPlainTextEdit::textChanged, this, &TextGraphicEditor::textEdited);
    fitHeight();
}

void TextGraphicEditor::textEdited()
{
    const QString text = toPlainText();
    if (m_text) {
        m_text->setTextString(text);
    } else if (m_cell && m_table) {
        m_table->setCellText(m_cell, text);
        m_table->refreshLayout();
    }
    fitHeight();
}

void TextGraphicEditor::fitHeight()
{
    int lines = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        lines += std::max(1, block.layout() ? block.layout()->lineCount() : 1);
    const double wanted = std::max(double(height()), double(lines * fontMetrics().lineSpacing() + 4));
    resize(int(m_width), int(std::min(wanted, m_maximumHeight)));
}

void TextGraphicEditor::finalize()
{
    if (m_table)
        m_table->finalizeEditing();
    disconnect(this, &QPlainTextEdit::textChanged, this, &TextGraphicEditor::textEdited);
}
