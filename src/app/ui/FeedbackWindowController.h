#pragma once
// The feedback sheet: how the program went (one of a few choices) and what
// the user wants to tell us. Sending closes the sheet and hands a plain-text
// message to the user's mail program; the sheet sends nothing itself.
#include <QDialog>

class QButtonGroup;
class QPlainTextEdit;
class QPushButton;

class FeedbackWindowController : public QDialog {
    Q_OBJECT
public:
    explicit FeedbackWindowController(QWidget *parent = nullptr);

    static QString promptText() { return QStringLiteral("Please tell us how we can improve.  Thanks."); }

    QPlainTextEdit *feedbackTextView() const { return m_text; }
    QButtonGroup *experienceMatrix() const { return m_experience; }
    QPushButton *sendEmailButton() const { return m_send; }
    QPushButton *cancelButton() const { return m_cancel; }
    // The title of the chosen experience.
    QString selectedExperience() const;

    // Shows the sheet with the prompt text again (the chosen experience stays).
    void begin(QWidget *window);

private:
    QPlainTextEdit *m_text = nullptr;
    QButtonGroup *m_experience = nullptr;
    QPushButton *m_send = nullptr;
    QPushButton *m_cancel = nullptr;
};
