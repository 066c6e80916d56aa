#pragma once
// The form block of a form page (PHP mailer, validation
// script, settings block).
#include <QString>

class GenerationContext;
class SKTDocument;

class FormMailer {
public:
    FormMailer() = delete;
    // pageFileType "trelkoforms" or pageFileExtension "php".
    static bool isFormPage(const SKTDocument &doc);
    // The form block "%@\n\n%@\n\n%@\n" of mailer, script and settings, from
    // ctx.phpVariableLines and ctx.formRecords; normalises
    // doc.formSubmitButtonValue.
    static QString formBlock(GenerationContext &ctx);

    // The form mailer's SMTP server as typed: "host", "host:port" or "[v6]:port".
    struct SmtpServer {
        QString host;  // without brackets
        int port = 0;  // 0: none given (the mailer's default, 25)
    };
    static SmtpServer splitSmtpServer(const QString &typed);
    // host and port as one text again ("host:port", "[v6]:port"; the host alone without a port).
    static QString joinSmtpServer(const QString &host, int port);
};
