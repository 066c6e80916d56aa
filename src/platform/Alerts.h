#pragma once
// Alerts the program shows. Logic describes an alert and receives the answer in a
// completion; it never runs a modal loop itself. The program installs message boxes
// (QtAlerts); tests install scripted answers.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

struct Alert {
    enum class Style { Warning, Informational, Critical };
    // Answers: the first button is FirstButton, the next FirstButton + 1 and so on. An
    // alert made in the default/alternate/other form answers DefaultReturn,
    // AlternateReturn or OtherReturn instead.
    static constexpr int FirstButton = 1000;
    static constexpr int DefaultReturn = 1;
    static constexpr int AlternateReturn = 0;
    static constexpr int OtherReturn = -1;

    QString messageText;
    QString informativeText;
    QStringList buttons;  // empty: one "OK" button
    Style style = Style::Warning;
    bool defaultAlternateOtherForm = false;
    // A one-line text field under the texts (for a name, say); its text comes back.
    bool hasTextField = false;
    QString textFieldValue;
    QString textFieldPlaceholder;
    // "Do not show this again" check box; its state comes back.
    QString suppressionText;

    QStringList effectiveButtons() const;
    // The answer for the button at index (0-based), in this alert's form.
    int responseForButton(int index) const;
};

struct AlertReply {
    int response = Alert::FirstButton;
    QString text;            // the text field's content
    bool suppressed = false; // the suppression check box was ticked
};

class Alerts {
public:
    using Completion = std::function<void(const AlertReply &reply)>;

    virtual ~Alerts() = default;

    // Shows alert over window (a top-level widget, or null for an application-wide
    // alert) and calls completion once with the answer. Completion may be empty.
    virtual void show(const Alert &alert, QObject *window, Completion completion) = 0;

    // The alerts in use; never null. Without an installed implementation, alerts are
    // logged and answered with the last button (the safe "Cancel" of our alerts).
    static Alerts &current();
    // Installs alerts (not owned; null restores the logging fallback).
    static void setCurrent(Alerts *alerts);

    // Shorthand: the response number only.
    static void ask(const Alert &alert, QObject *window, std::function<void(int response)> completion);
    // A message with one "OK" button.
    static void inform(const QString &message, const QString &informative = {}, QObject *window = nullptr,
                       Alert::Style style = Alert::Style::Warning);
};
