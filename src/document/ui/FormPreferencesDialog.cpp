#include "document/ui/FormPreferencesDialog.h"

#include "document/SKTDocument.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

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
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void FormPreferencesDialog::setValues(const FormPreferencesValues &v)
{
    responseEmail_->setText(v.responseEmail);
    copyEmail_->setText(v.copyEmail);
    server_->setText(v.mailServer);
    user_->setText(v.mailUser);
    password_->setText(v.mailPassword);
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
    v.mailServer = server_->text();
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
