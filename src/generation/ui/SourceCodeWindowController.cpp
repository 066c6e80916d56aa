#include "generation/ui/SourceCodeWindowController.h"

#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "platform/ui/CodeEditorSettings.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

SourceCodeWindowController::SourceCodeWindowController(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("SourceCodeView"));
    setWindowTitle(QStringLiteral("Source Code"));

    // A plain-text view has no spell checking or quote substitution; input methods'
    // aids go off too. It wraps at the view's width, so the text only ever grows
    // downwards.
    m_textView = new QPlainTextEdit(this);
    CodeEditorSettings::turnOffTypingAids(m_textView);
    m_textView->setObjectName(QStringLiteral("textView"));
    m_textView->setReadOnly(true);
    m_textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_textView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_textView->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_textView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_textView->setUndoRedoEnabled(false);

    m_grabCodeButton = new QPushButton(tr("Grab Code"), this);
    m_grabCodeButton->setObjectName(QStringLiteral("grabCodeButton"));
    m_grabCodeButton->setAutoDefault(false);
    connect(m_grabCodeButton, &QPushButton::clicked, this, &SourceCodeWindowController::grabSourceCode);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_grabCodeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_textView, 1);
    layout->addLayout(buttons);
    resize(720, 560);
}

QString SourceCodeWindowController::emptySourceText()
{
    return QStringLiteral("Oops, no source code generated, please request again");
}

SourceCodeWindowController *SourceCodeWindowController::showSourceCode(SKTDocument &doc, bool responsive)
{
    const QString text = doc.sourceCodeForDisplay(responsive);
    auto *window = qobject_cast<SourceCodeWindowController *>(doc.sourceCodeController);
    if (!window) {
        window = new SourceCodeWindowController;
        doc.sourceCodeController = window;
    }
    window->presentSource(text);
    return window;
}

void SourceCodeWindowController::presentSource(const QString &text, const QString &title)
{
    setWindowTitle(title);
    m_textView->setPlainText(text.isEmpty() ? emptySourceText() : text);
    show();
    raise();
    activateWindow();
}

QString SourceCodeWindowController::sourceText() const
{
    return m_textView->toPlainText();
}

void SourceCodeWindowController::grabSourceCode()
{
    QGuiApplication::clipboard()->setText(sourceText(), QClipboard::Clipboard);
    Alerts::inform(QStringLiteral("Copied to Clipboard"), QString(), window(), Alert::Style::Informational);
}
