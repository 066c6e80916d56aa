#pragma once
// Linking the user's Dropbox, where e-mail designs can host their pictures: the
// choice of Dropbox as the picture host, sign-in in the browser with the code pasted
// back, and re-linking another account.
//
// Dropbox is offered only when the build has an app key.
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class DropboxClient;

class DropboxAccountLink {
public:
    DropboxAccountLink() = delete;

    // True when the build has an app key (else every Dropbox control stays hidden).
    static bool isAvailable();
    // A client for the user's account (the build's app key and Dropbox's addresses).
    static std::shared_ptr<DropboxClient> newClient();
    // Tests: another app key and one base address for all Dropbox hosts; empty key
    // restores the build's.
    static void setServiceForTesting(const QString &appKey, const QString &baseAddress);

    struct Hooks {
        std::function<void()> setupButtons;            // the image hosting sheet refreshes
        std::function<void()> closeImageSettingsSheet;  // before a re-link
        // Called once sign-in has ended, true when an account is linked.
        std::function<void(bool linked)> finished;
    };

    // Makes Dropbox the picture host ("uploadOption" := "dropbox"), then signs in
    // when no account is linked, or offers to re-link when one is. False when the
    // build has no Dropbox.
    static bool linkDropbox(QObject *window, const Hooks &hooks = {});

    // Opens the sign-in address in the browser and asks for the code Dropbox shows;
    // the code is traded off the main thread.
    static void authenticate(const std::shared_ptr<DropboxClient> &client, QObject *window,
                             std::function<void(bool linked)> finished = {});

    // How the sign-in address reaches the browser (tests answer instead of a browser).
    using BrowserOpener = std::function<void(const QString &address)>;
    static void setBrowserOpener(BrowserOpener opener);
};
