#include "generation/ui/FormPreferencesDialog.h"

#include "document/SKTDocument.h"
#include "generation/FormMailer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

FormPreferencesDialog::FormPreferencesDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowModality(Qt::WindowModal);
    auto *form = new QFormLayout;
    auto field = [this, form](QLineEdit *&edit, const QString &label) {
        edit = new QLineEdit(this);
        edit->setMinimumWidth(320);
        form->addRow(label, edit);
    };
    field(responseEmail_, QStringLiteral("Send responses to:"));
    field(copyEmail_, QStringLiteral("Copy to:"));
    field(server_, QStringLiteral("Mail server:"));
    port_ = new QLineEdit(this);
    port_->setPlaceholderText(QStringLiteral("25"));
    port_->setMaximumWidth(90);
    port_->setValidator(new QIntValidator(1, 65535, port_));
    port_->setToolTip(QStringLiteral("The mail server's port: 25, or 587 for submission with a log-in. "
                                     "Leave the user name empty for a server that takes mail without one."));
    form->addRow(QStringLiteral("Port:"), port_);
    field(user_, QStringLiteral("User name:"));
    field(password_, QStringLiteral("Password:"));
    password_->setEchoMode(QLineEdit::Password);
    field(sent_, QStringLiteral("Sent message:"));
    field(missing_, QStringLiteral("Missing field message:"));
    field(submit_, QStringLiteral("Submit button:"));
    field(redirect_, QStringLiteral("Go to after sending:"));
    field(verification_, QStringLiteral("E-mail check message:"));
    field(botCheck_, QStringLiteral("Robot check message:"));
    grabIP_ = new QCheckBox(QStringLiteral("Include the sender's address"), this);
    form->addRow(QString(), grabIP_);
    auto *layoutRow = new QHBoxLayout;
    layout_ = new QButtonGroup(this);
    const QStringList titles = {QStringLiteral("Form order"), QStringLiteral("Left to right")};
    for (int i = 0; i < titles.size(); ++i) {
        auto *radio = new QRadioButton(titles[i], this);
        layout_->addButton(radio, i);
        layoutRow->addWidget(radio);
    }
    form->addRow(QStringLiteral("Mail layout:"), layoutRow);

    // Each explanation on the field and on its label.
    const QList<QPair<QLineEdit *, QString>> tips = {
        {verification_, QStringLiteral("Email Verification Alert is the message returned if an invalid email address is entered.")},
        {redirect_, QStringLiteral("Post Submit Redirect URL is the web address the user is sent to after the form is submitted.\n\nIf "
                                   "left blank, the user will be sent back to the form after submission.")},
        {missing_, QStringLiteral("Missing Field Response is the message returned if a required field is left blank.\n\nTo specify a "
                                  "form field as mandatory, right click on it and choose 'Completion Required'.")},
        {sent_, QStringLiteral("Form Submission Response is the message returned after the form is submitted.")},
        {copyEmail_, QStringLiteral("Secondary Response Email is an optional field, if completed, a copy of the form response will be "
                                    "delivered to this email.\n\nCompleting both the Primary and Secondary response emails allows you "
                                    "to receive two copies of the form response and provides a backup in case one email is not working.")},
        {responseEmail_, QStringLiteral("Primary Response Email receives the form results after submission.\n\nCompleting both the "
                                        "Primary and Secondary response emails allows you to receive two copies of the form response "
                                        "and provides a backup in case one email is not working.")},
        {botCheck_, QStringLiteral("Bot Checker Message is the message returned when the bot answer is incorrect.")},
    };
    for (const auto &[edit, tip] : tips) {
        edit->setToolTip(tip);
        if (QWidget *label = form->labelForField(edit))
            label->setToolTip(tip);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FormPreferencesDialog::setValues(const FormPreferencesValues &v)
{
    // The addresses and the mail account are written only when stored; the
    // messages always.
    for (const auto &[edit, text] : {std::pair{responseEmail_, v.responseEmail}, std::pair{copyEmail_, v.copyEmail},
                                      std::pair{server_, v.mailServer}, std::pair{user_, v.mailUser},
                                      std::pair{password_, v.mailPassword}})
        if (!text.isEmpty())
            edit->setText(text);
    // "host:port" as stored shows in its two fields.
    if (!v.mailServer.isEmpty()) {
        const FormMailer::SmtpServer server = FormMailer::splitSmtpServer(v.mailServer);
        server_->setText(server.host);
        port_->setText(server.port > 0 ? QString::number(server.port) : QString());
    }
    sent_->setText(v.sentResponse);
    missing_->setText(v.missingFieldResponse);
    submit_->setText(v.submitButtonText);
    redirect_->setText(v.redirectURL);
    verification_->setText(v.verificationMessage);
    botCheck_->setText(v.botCheckMessage);
    grabIP_->setChecked(v.grabIP);
    if (auto *b = layout_->button(v.layoutColumn))
        b->setChecked(true);
}

FormPreferencesValues FormPreferencesDialog::values() const
{
    FormPreferencesValues v;
    v.responseEmail = responseEmail_->text();
    v.copyEmail = copyEmail_->text();
    // A port typed into the server field stays as typed; the port field adds one.
    const FormMailer::SmtpServer typed = FormMailer::splitSmtpServer(server_->text());
    const int port = port_->text().trimmed().toInt();
    v.mailServer = port > 0 ? FormMailer::joinSmtpServer(typed.host, port) : server_->text().trimmed();
    v.mailUser = user_->text();
    v.mailPassword = password_->text();
    v.sentResponse = sent_->text();
    v.missingFieldResponse = missing_->text();
    v.submitButtonText = submit_->text();
    v.redirectURL = redirect_->text();
    v.verificationMessage = verification_->text();
    v.botCheckMessage = botCheck_->text();
    v.grabIP = grabIP_->isChecked();
    v.layoutColumn = std::max(0, layout_->checkedId());
    return v;
}

FormPreferencesDialog *FormPreferencesDialog::showFormPreferences(SKTDocument &document, QWidget *window)
{
    auto *dialog = new FormPreferencesDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setValues(PagePreferences::fillForm(document));
    connect(dialog, &QDialog::accepted, dialog, [dialog, &document] { PagePreferences::saveForm(document, dialog->values()); });
    dialog->open();
    return dialog;
}
