#pragma once
// The in-place editor of a text box or of one table cell: a plain-text
// editor laid over the text's content box in the graphic's own font,
// alignment and colour, with no background, as wide as the box and growing
// downwards with the text. Every edit goes straight into the graphic (or the
// cell), so the canvas and undo see it as it is typed.
#include <QPlainTextEdit>
#include <QPointer>
#include <memory>

class SKTGraphic;
class SKTTable;
class SKTText;
class myTextView;

class TextGraphicEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    // The editor for the graphic inside a canvas of the given bounds, or null
    // when the graphic is not edited in place.
    static TextGraphicEditor *create(SKTGraphic &graphic, const QRectF &canvasBounds, QWidget *parent);
    // Ends editing: the graphic forgets the edited cell; the editor stays for the caller to delete.
    void finalize();

private:
    TextGraphicEditor(QWidget *parent, const QRectF &frame, double maximumHeight);
    void applyLook(const QFont &font, const QColor &colour, int32_t alignment, const QString &text);
    void textEdited();
    void fitHeight();

    SKTText *m_text = nullptr;
    SKTTable *m_table = nullptr;
    std::shared_ptr<myTextView> m_cell;
    double m_width = 0;
    double m_maximumHeight = 0;
};
