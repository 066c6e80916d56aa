#include "publishing/ShareActions.h"

#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/WorkFolder.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString &mailProgram()
{
    static QString program = QStringLiteral("xdg-email");
    return program;
}

// Every character that means something in a query is escaped, not only blanks.
QString encoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

}  // namespace

ShareActions::ShareActions(QString shareLink, std::function<QImage()> picture, QObject *window)
    : link_(std::move(shareLink)), picture_(std::move(picture)), window_(window)
{
}

void ShareActions::setMailProgram(const QString &program)
{
    mailProgram() = program;
}

QString ShareActions::emailSubject()
{
    return QStringLiteral("Shared work from %1").arg(gAppName);
}

QUrl ShareActions::facebookShareUrl(const QString &link)
{
    return QUrl(QStringLiteral("https://www.facebook.com/sharer/sharer.php?u=") + encoded(link), QUrl::StrictMode);
}

QUrl ShareActions::twitterShareUrl(const QString &link)
{
    return QUrl(QStringLiteral("https://twitter.com/intent/tweet?url=") + encoded(link), QUrl::StrictMode);
}

QUrl ShareActions::mailtoUrl(const QString &subject, const QString &link)
{
    return QUrl(QStringLiteral("mailto:?subject=") + encoded(subject) + QStringLiteral("&body=") + encoded(link), QUrl::StrictMode);
}

void ShareActions::launchInSafari()
{
    const QUrl url(link_);
    if (url.isValid() && !link_.isEmpty())
        QDesktopServices::openUrl(url);
}

void ShareActions::sendShareLinkToClipboard()
{
    QGuiApplication::clipboard()->setText(link_);
    Alerts::inform(QStringLiteral("Copied to Clipboard"), link_, window_, Alert::Style::Informational);
}

void ShareActions::putPictureOnClipboard()
{
    const QImage image = picture_ ? picture_() : QImage();
    QGuiApplication::clipboard()->clear();
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image);
}

void ShareActions::sendShareImageToClipboard()
{
    putPictureOnClipboard();
    Alerts::inform(QStringLiteral("Copied to Clipboard"), QString(), window_, Alert::Style::Informational);
}

void ShareActions::shareOnFacebook()
{
    putPictureOnClipboard();
    QDesktopServices::openUrl(facebookShareUrl(link_));
}

void ShareActions::shareOnTwitter()
{
    putPictureOnClipboard();
    QDesktopServices::openUrl(twitterShareUrl(link_));
}

void ShareActions::shareByEmail()
{
    const QString program = mailProgram().isEmpty() ? QString() : QStandardPaths::findExecutable(mailProgram());
    if (program.isEmpty() && !QFileInfo(mailProgram()).isExecutable()) {
        QDesktopServices::openUrl(mailtoUrl(emailSubject(), link_));
        return;
    }
    QStringList arguments = {QStringLiteral("--utf8"), QStringLiteral("--subject"), emailSubject(), QStringLiteral("--body"), link_};
    const QImage image = picture_ ? picture_() : QImage();
    if (!image.isNull()) {
        // The mail program reads the attachment after we return: it stays in the
        // work folder's share folder until the next share replaces it.
        const QString folder = QDir(WorkFolder::shared().path()).filePath(QStringLiteral("share"));
        QDir().mkpath(folder);
        const QString file = QDir(folder).filePath(QStringLiteral("page.png"));
        if (image.save(file, "PNG"))
            arguments << QStringLiteral("--attach") << file;
    }
    if (!QProcess::startDetached(program.isEmpty() ? mailProgram() : program, arguments))
        QDesktopServices::openUrl(mailtoUrl(emailSubject(), link_));
}

void ShareActions::rateApp()
{
    Alert alert;
    alert.messageText = QStringLiteral("Rate Our App");
    alert.informativeText = QStringLiteral("If you enjoy using this app, would you mind taking a moment to rate it?  Thanks for your support!");
    alert.buttons = {QStringLiteral("Rate App"), QStringLiteral("Cancel")};
    Alerts::ask(alert, window_, [](int response) {
        if (response == Alert::FirstButton && !gAppStorePage.isEmpty())
            QDesktopServices::openUrl(QUrl(gAppStorePage));
    });
}
