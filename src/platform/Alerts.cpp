#include "platform/Alerts.h"

#include <QDebug>

namespace {

class LoggingAlerts : public Alerts {
public:
    void show(const Alert &alert, QObject *, Completion completion) override
    {
        const QStringList buttons = alert.effectiveButtons();
        qWarning().noquote() << "Alert with no one to answer it:" << alert.messageText << "|"
                             << alert.informativeText;
        AlertReply reply;
        reply.response = alert.responseForButton(int(buttons.size()) - 1);
        reply.text = alert.textFieldValue;
        if (completion)
            completion(reply);
    }
};

Alerts *&installed()
{
    static Alerts *alerts = nullptr;
    return alerts;
}

}  // namespace

QStringList Alert::effectiveButtons() const
{
    return buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : buttons;
}

int Alert::responseForButton(int index) const
{
    if (defaultAlternateOtherForm) {
        switch (index) {
        case 0:
            return DefaultReturn;
        case 1:
            return AlternateReturn;
        default:
            return OtherReturn;
        }
    }
    return FirstButton + index;
}

Alerts &Alerts::current()
{
    static LoggingAlerts fallback;
    return installed() ? *installed() : fallback;
}

void Alerts::setCurrent(Alerts *alerts)
{
    installed() = alerts;
}

void Alerts::ask(const Alert &alert, QObject *window, std::function<void(int)> completion)
{
    current().show(alert, window, [completion](const AlertReply &reply) {
        if (completion)
            completion(reply.response);
    });
}

void Alerts::inform(const QString &message, const QString &informative, QObject *window, Alert::Style style)
{
    Alert alert;
    alert.messageText = message;
    alert.informativeText = informative;
    alert.style = style;
    current().show(alert, window, {});
}
