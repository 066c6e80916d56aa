#pragma once
// Alerts for tests: each alert shown is recorded, and answered with the next scripted
// answer (a button title or index, optionally with a text and the suppression box),
// else with the first button. Installs itself as Alerts::current() while it lives.
#include "platform/Alerts.h"

#include <QList>
#include <QTimer>
#include <QString>

#include <optional>

class ScriptedAlerts : public Alerts {
public:
    struct Answer {
        QString button;              // a title; used when index is unset
        std::optional<int> index;    // 0-based button index
        QString text;                // for a text field; empty keeps its value
        bool suppressed = false;
    };
    struct Shown {
        Alert alert;
        QObject *window = nullptr;
        int response = 0;
    };

    ScriptedAlerts() { Alerts::setCurrent(this); }
    ~ScriptedAlerts() override { Alerts::setCurrent(nullptr); }

    void answer(const QString &buttonTitle, const QString &text = {}) { answers_.append({buttonTitle, {}, text, false}); }
    void answerIndex(int index, const QString &text = {}) { answers_.append({{}, index, text, false}); }
    void answer(const Answer &answer) { answers_.append(answer); }

    const QList<Shown> &shown() const { return shown_; }
    int count() const { return int(shown_.size()); }
    const Alert &last() const { return shown_.constLast().alert; }
    QStringList messages() const
    {
        QStringList list;
        for (const Shown &s : shown_)
            list << s.alert.messageText;
        return list;
    }
    // Answers from the event loop after show() has returned, as a window-modal
    // alert on screen does, instead of at once.
    void setAnswersLater(bool later) { later_ = later; }
    int unansweredScripts() const { return int(answers_.size()); }
    // Answers that named a button the alert did not have.
    const QStringList &mismatches() const { return mismatches_; }

    void show(const Alert &alert, QObject *window, Completion completion) override
    {
        const QStringList buttons = alert.effectiveButtons();
        int index = 0;
        AlertReply reply;
        reply.text = alert.textFieldValue;
        if (!answers_.isEmpty()) {
            const Answer a = answers_.takeFirst();
            if (a.index)
                index = *a.index;
            else
                index = int(buttons.indexOf(a.button));
            if (index < 0 || index >= buttons.size()) {
                mismatches_ << (a.index ? QString::number(*a.index) : a.button);
                index = int(buttons.size()) - 1;
            }
            if (!a.text.isEmpty())
                reply.text = a.text;
            reply.suppressed = a.suppressed;
        }
        reply.response = alert.responseForButton(index);
        shown_.append({alert, window, reply.response});
        if (completion && later_)
            QTimer::singleShot(0, [completion, reply] { completion(reply); });
        else if (completion)
            completion(reply);
    }

private:
    QList<Answer> answers_;
    QList<Shown> shown_;
    QStringList mismatches_;
    bool later_ = false;
};
