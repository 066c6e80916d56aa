#pragma once
// The window that shows a generated page (or mail) as text, with one button that
// copies it. One per document, kept and reused: each request replaces the text.
// The text cannot be edited here, and no typing aid (spell checking, quote
// substitution) touches it.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;
class SKTDocument;

class SourceCodeWindowController : public QWidget {
    Q_OBJECT
public:
    explicit SourceCodeWindowController(QWidget *parent = nullptr);

    // Shown in place of a generated text that came out empty.
    static QString emptySourceText();

    // The menu commands: generate the document's page (responsive layout or not)
    // and show its text in the document's one source window, made on first use
    // and kept in doc.sourceCodeController (the document deletes it).
    static SourceCodeWindowController *showSourceCode(SKTDocument &doc, bool responsive);
    static SourceCodeWindowController *showOrHideSourceCode(SKTDocument &doc) { return showSourceCode(doc, true); }
    static SourceCodeWindowController *showOrHideSourceCodeStatic(SKTDocument &doc)
    {
        return showSourceCode(doc, false);
    }

    // Puts text into the view (the "Oops" text when it is empty), titles the window
    // ("Source Code" for a page, "HTML Code" for a mail) and brings it to the front.
    void presentSource(const QString &text, const QString &title = QStringLiteral("Source Code"));

    // The text the view holds.
    QString sourceText() const;

    // Puts the view's text on the clipboard as plain text and says so.
    void grabSourceCode();

    // The button copies the text by default; a document that routes it through its
    // own action disconnects grabCodeButton() from this window and connects it there.
    QPlainTextEdit *textView() const { return m_textView; }
    QPushButton *grabCodeButton() const { return m_grabCodeButton; }

private:
    QPlainTextEdit *m_textView = nullptr;
    QPushButton *m_grabCodeButton = nullptr;
};
