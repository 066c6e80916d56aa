#pragma once
// The mail providers the mail settings offer with one click (data/mail_presets.tsv):
// each fills the server, port and user name, and sets the connection security its
// port needs, so a preset never pairs port 465 with STARTTLS or 587 with TLS from
// the first byte.
#include <QList>
#include <QString>

class MailPresets {
public:
    MailPresets() = delete;

    struct Preset {
        QString title;
        QString host;
        QString port;            // as the port field shows it
        QString connectionType;  // "SSL" or "STARTTLS"
    };
    // What the settings sheet shows, as plain values.
    struct Form {
        QString address;
        QString server;
        QString username;
        QString port;
        QString connectionType;
    };

    static QList<Preset> all();
    // Applies the preset titled title: server, port, the address as user name, and the
    // connection type. False, with form unchanged, when no preset has that title.
    static bool apply(const QString &title, Form &form);
};
