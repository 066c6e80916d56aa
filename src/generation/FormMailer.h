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
};
