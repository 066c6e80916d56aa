#include "publishing/MailAccountSettings.h"

#include "config/EditionSettings.h"
#include "platform/Bundle.h"
#include "platform/CredentialStore.h"
#include "platform/Tasks.h"
#include "platform/UserDefaults.h"
#include "platform/WorkFolder.h"
#include "publishing/UploadFTPS.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <memory>

namespace {

QString text(const char *key)
{
    return UserDefaults::standard().stringForKey(QString::fromLatin1(key));
}

}  // namespace

MailAccountSettings::Fields MailAccountSettings::load()
{
    Fields f;
    f.name = text("mailName");
    f.address = text("mailAddress");
    f.server = text("mailSMTPServer");
    f.username = text("mailSMTPUsername");
    f.password = CredentialStore().password(QStringLiteral("mailPassword"));
    f.port = text("mailPortnumber");
    f.connectionType = connectionTypeForSegment(segmentFor(text("connectionType")));
    return f;
}

void MailAccountSettings::saveMailSettings(Fields &fields)
{
    if (fields.port.trimmed().isEmpty())
        fields.port = QStringLiteral("25");
    UserDefaults &d = UserDefaults::standard();
    d.setString(fields.name, QStringLiteral("mailName"));
    d.setString(fields.address, QStringLiteral("mailAddress"));
    d.setString(fields.server, QStringLiteral("mailSMTPServer"));
    d.setString(fields.username, QStringLiteral("mailSMTPUsername"));
    d.setString(fields.port, QStringLiteral("mailPortnumber"));
    CredentialStore().setPassword(QStringLiteral("mailPassword"), fields.password);
    d.synchronize();
}

int MailAccountSettings::segmentFor(const QString &connectionType)
{
    if (connectionType == QLatin1String("SSL"))
        return 1;
    if (connectionType == QLatin1String("None"))
        return 2;
    return 0;
}

QString MailAccountSettings::connectionTypeForSegment(int segment)
{
    if (segment == 1)
        return QStringLiteral("SSL");
    if (segment == 2)
        return QStringLiteral("None");
    return QStringLiteral("STARTTLS");
}

void MailAccountSettings::updatedConnection(int segment)
{
    UserDefaults::standard().setString(connectionTypeForSegment(segment), QStringLiteral("connectionType"));
}

QString MailAccountSettings::testEmailPath()
{
    const QString shipped = Bundle::pathForResource(QStringLiteral("test/testemail.html"), QString(), gTemplateFolder);
    if (!shipped.isEmpty())
        return shipped;
    const QString folder = gWorkFolder.isEmpty() ? WorkFolder::shared().path() : gWorkFolder;
    if (folder.isEmpty())
        return {};
    const QString path = QDir(folder).filePath(QStringLiteral("testemail.html"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("<html><body style=\"font-family:Arial,sans-serif\"><h2>Test e-mail</h2>"
               "<p>Your mail settings work: this message was sent with them.</p></body></html>\n");
    return file.commit() ? path : QString();
}

QString MailAccountSettings::testEmailText(const Fields &fields)
{
    return QStringLiteral("This App will send a test email to %1 using the mail settings entered here.\nSMTP Server: "
                          "%2\nUsername: %3")
        .arg(fields.address, fields.server, fields.username);
}

void MailAccountSettings::sendTestEmail(QObject *context, std::function<void(bool, const QString &)> done,
                                        const QByteArray &certificateBundle)
{
    const QString path = testEmailPath();
    auto transport = std::make_shared<UploadFTPS>();
    transport->populateMail();
    if (!certificateBundle.isEmpty())
        transport->setMailCertificateBundle(certificateBundle);
    const QString to = transport->mailAccount().senderAddress;
    const QString subject = QStringLiteral("Test email from %1").arg(gAppName);
    struct Capture : UploadFTPSViewDelegate {
        QString details;
        void UploadUpdate(UploadFTPS *, bool, const QString &, int32_t) override {}
        void sendMailUpdate(UploadFTPS *, bool, const QString &text) override { details = text; }
    };
    using Outcome = std::pair<bool, QString>;
    Tasks::runInBackground<Outcome>(
        context,
        [transport, path, subject, to] {
            if (path.isEmpty())
                return Outcome{false, QStringLiteral("The test message could not be written to the work folder.\n")};
            Capture capture;
            transport->delegate = &capture;
            const bool sent = transport->sendMail(path, subject, {to}, {}, {});
            transport->delegate = nullptr;
            return Outcome{sent, capture.details};
        },
        [done](Outcome outcome) {
            if (done)
                done(outcome.first, outcome.second);
        });
}
