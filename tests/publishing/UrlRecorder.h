#pragma once
// Catches the addresses the program hands to the desktop (QDesktopServices) for
// the schemes it is installed for, instead of starting a browser or mail program.
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    explicit UrlRecorder(QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")})
        : schemes_(std::move(schemes))
    {
        for (const QString &scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (const QString &scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }

private:
    QStringList schemes_;
};
