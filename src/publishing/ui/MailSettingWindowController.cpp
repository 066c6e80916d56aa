#include "publishing/ui/MailSettingWindowController.h"

#include "platform/Alerts.h"
#include "publishing/MailPresets.h"
#include "publishing/ui/ConnectionLogWindowController.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<MailSettingWindowController> gSheet;

}  // namespace

MailSettingWindowController::MailSettingWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MailSettingWindowController"));
    setWindowTitle(tr("Sender SMTP Settings"));
    auto line = [this](const QString &placeholder) {
        auto *edit = new QLineEdit(this);
        edit->setPlaceholderText(placeholder);
        return edit;
    };
    mailName_ = line(tr("Your name"));
    mailAddress_ = line(QStringLiteral("you@example.com"));
    mailServer_ = line(QStringLiteral("smtp.example.com"));
    mailUsername_ = line(tr("empty: the sender address"));
    mailPassword_ = line(QString());
    mailPassword_->setEchoMode(QLineEdit::Password);
    mailServerPortNumber_ = line(QStringLiteral("587"));

    auto *segments = new QHBoxLayout;
    connection_ = new QButtonGroup(this);
    const QStringList titles{QStringLiteral("STARTTLS"), QStringLiteral("SSL"), QStringLiteral("None")};
    for (int i = 0; i < titles.size(); ++i) {
        auto *segment = new QPushButton(titles.at(i), this);
        segment->setCheckable(true);
        connection_->addButton(segment, i);
        segments->addWidget(segment);
    }
    segments->addStretch(1);
    connect(connection_, &QButtonGroup::idClicked, this, &MailSettingWindowController::updatedConnection);

    auto *sender = new QGroupBox(tr("Sender"), this);
    auto *senderForm = new QFormLayout(sender);
    senderForm->addRow(tr("Name:"), mailName_);
    senderForm->addRow(tr("E-mail address:"), mailAddress_);
    auto *server = new QGroupBox(tr("SMTP Server"), this);
    auto *serverForm = new QFormLayout(server);
    serverForm->addRow(tr("Server:"), mailServer_);
    serverForm->addRow(tr("Username:"), mailUsername_);
    serverForm->addRow(tr("Password:"), mailPassword_);
    serverForm->addRow(tr("Port:"), mailServerPortNumber_);
    serverForm->addRow(tr("Security:"), segments);

    matrix_ = new QGroupBox(tr("Configure for"), this);
    auto *grid = new QGridLayout(matrix_);
    const QList<MailPresets::Preset> presets = MailPresets::all();
    for (int i = 0; i < presets.size(); ++i) {
        const QString title = presets.at(i).title;
        // "AT&T" is a title, not a keyboard shortcut.
        auto *cell = new QPushButton(QString(title).replace(QLatin1Char('&'), QStringLiteral("&&")), matrix_);
        connect(cell, &QPushButton::clicked, this, [this, title] { autoconfigureMyMailServers(title); });
        grid->addWidget(cell, i / 3, i % 3);
    }

    testButton_ = new QPushButton(tr("Send Test Email"), this);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    saveButton_ = new QPushButton(tr("Save && Close"), this);
    saveButton_->setDefault(true);
    connect(testButton_, &QPushButton::clicked, this, &MailSettingWindowController::testEmail);
    connect(cancelButton_, &QPushButton::clicked, this, &MailSettingWindowController::cancelMailSettingSheet);
    connect(saveButton_, &QPushButton::clicked, this, &MailSettingWindowController::hideMailSettingsPanel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(testButton_);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(saveButton_);

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(sender);
    left->addWidget(server);
    left->addStretch(1);
    columns->addLayout(left, 3);
    columns->addWidget(matrix_, 2, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    refresh();
}

MailSettingWindowController *MailSettingWindowController::showMailSettings(QWidget *mainWindow)
{
    if (!gSheet) {
        gSheet = new MailSettingWindowController(mainWindow);
        gSheet->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    gSheet->refresh();
    gSheet->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    gSheet->open();
    return gSheet;
}

void MailSettingWindowController::refresh()
{
    const MailAccountSettings::Fields f = MailAccountSettings::load();
    mailName_->setText(f.name);
    mailAddress_->setText(f.address);
    mailServer_->setText(f.server);
    mailUsername_->setText(f.username);
    mailPassword_->setText(f.password);
    mailServerPortNumber_->setText(f.port);
    if (QAbstractButton *segment = connection_->button(MailAccountSettings::segmentFor(f.connectionType)))
        segment->setChecked(true);
}

MailAccountSettings::Fields MailSettingWindowController::fields() const
{
    MailAccountSettings::Fields f;
    f.name = mailName_->text();
    f.address = mailAddress_->text().trimmed();
    f.server = mailServer_->text().trimmed();
    f.username = mailUsername_->text().trimmed();
    f.password = mailPassword_->text();
    f.port = mailServerPortNumber_->text().trimmed();
    f.connectionType = MailAccountSettings::connectionTypeForSegment(connection_->checkedId());
    return f;
}

void MailSettingWindowController::saveMailSettings()
{
    MailAccountSettings::Fields f = fields();
    MailAccountSettings::saveMailSettings(f);
    mailServerPortNumber_->setText(f.port);
}

void MailSettingWindowController::hideMailSettingsPanel()
{
    cancelMailSettingSheet();
    saveMailSettings();
}

void MailSettingWindowController::cancelMailSettingSheet()
{
    hide();
    setResult(1);
}

void MailSettingWindowController::updatedConnection(int segment)
{
    MailAccountSettings::updatedConnection(segment);
}

void MailSettingWindowController::autoconfigureMyMailServers(const QString &title)
{
    MailPresets::Form form;
    form.address = mailAddress_->text().trimmed();
    form.connectionType = MailAccountSettings::connectionTypeForSegment(connection_->checkedId());
    if (!MailPresets::apply(title, form))
        return;
    mailServer_->setText(form.server);
    mailServerPortNumber_->setText(form.port);
    mailUsername_->setText(form.username);
    const int segment = MailAccountSettings::segmentFor(form.connectionType);
    if (segment != connection_->checkedId()) {
        connection_->button(segment)->setChecked(true);
        updatedConnection(segment);
    }
}

void MailSettingWindowController::testEmail()
{
    const MailAccountSettings::Fields f = fields();
    Alert alert;
    alert.messageText = QStringLiteral("Test Settings");
    alert.informativeText = MailAccountSettings::testEmailText(f);
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    alert.style = Alert::Style::Informational;
    QPointer<MailSettingWindowController> self(this);
    Alerts::ask(alert, this, [self](int response) {
        if (self && response == Alert::FirstButton)
            self->sendEmailNow();
    });
}

void MailSettingWindowController::sendEmailNow()
{
    if (sending_)
        return;
    // The test uses exactly what is typed.
    saveMailSettings();
    sending_ = true;
    testButton_->setEnabled(false);
    const QString address = mailAddress_->text().trimmed();
    MailAccountSettings::sendTestEmail(
        this,
        [this, address](bool sent, const QString &log) {
            sending_ = false;
            testButton_->setEnabled(true);
            sendMailResults = log;
            if (sent) {
                Alert alert;
                alert.messageText = QStringLiteral("Mail Sent");
                alert.informativeText = QStringLiteral("The test email has been sent to %1, you should receive it within "
                                                       "a few minutes.\n\nIf you are not able to find it in the Mail "
                                                       "Inbox, please also check in the spam folder in case it's "
                                                       "mis-filtered.")
                                            .arg(address);
                alert.style = Alert::Style::Informational;
                Alerts::ask(alert, this, {});
            } else {
                Alert alert;
                alert.messageText = QStringLiteral("Oops, we seem to have run into an error");
                alert.informativeText = QStringLiteral("Please double check Sender Settings and check Error Log for more details.");
                alert.buttons = {QStringLiteral("View Error Log"), QStringLiteral("Cancel")};
                QPointer<MailSettingWindowController> self(this);
                Alerts::ask(alert, this, [self, log](int response) {
                    if (self && response == Alert::FirstButton)
                        self->showConnectionLog(log);
                });
            }
            emit testSendFinished(sent);
        },
        bundle_);
}

void MailSettingWindowController::showConnectionLog(const QString &log)
{
    if (!log_) {
        log_ = new ConnectionLogWindowController(this);
        log_->setObjectName(QStringLiteral("ConnectionLog"));
    }
    log_->setWindowTitle(QStringLiteral("Error log"));
    log_->showLog(log);
}
