#pragma once
// Pages of texts and form fields for the text pass, the form mailer and the
// markers: the pass run on its own over the page's texts, and the form page's
// PHP run by the command-line PHP.
#include "PageFixture.h"

#include "generation/FormMailer.h"
#include "generation/GenerationContext.h"
#include "generation/TextFormPass.h"
#include "model/SKTText.h"

#include <QProcess>
#include <QRegularExpression>

struct TextPassOutput {
    QString css;
    QString markup;
    QString php;
    QList<FormSortHelper> records;
    QString formBlock;
};

class TextFormTest : public PageTest {
protected:
    std::shared_ptr<SKTText> textBox(const QRectF &bounds, const QString &text)
    {
        auto t = std::make_shared<SKTText>();
        for (const char *key : {"groupNumber", "sectionNumber", "sectionRowSpot", "sectionColumnSpot", "formTag",
                                "formOptionTag", "slideShowNumber", "galleryNumber", "tableNumber"})
            t->setValue(QString::fromLatin1(key), -99);
        t->setTextType(QStringLiteral("Text"));
        t->setBounds(bounds);
        t->setFontFamily(fontFamily);
        t->setFontSize(12);
        t->setTextHexColorString(QStringLiteral("333333"));
        t->setBackgroundHexColorString(QStringLiteral("CLEAR0"));
        t->setBorderHexColorString(QStringLiteral("000000"));
        t->setTextString(text);
        return t;
    }

    SKTText *addText(const QRectF &bounds, const QString &text) { return add(textBox(bounds, text)); }

    SKTText *addField(const QString &type, int32_t tag, int32_t option, const QRectF &bounds,
                      const QString &text = QString(), bool required = false)
    {
        SKTText *t = addText(bounds, text);
        t->setFormType(type);
        t->setFormTag(tag);
        t->setFormOptionTag(option);
        t->setFormRequiredFlag(required ? 1 : 0);
        return t;
    }

    // A contact form: name (required), e-mail (reply address), message, bot
    // question and answer, submit button.
    void addContactForm()
    {
        addField(QStringLiteral("textLabel"), 1, -99, {20, 20, 120, 24}, QStringLiteral("Your name"));
        addField(QStringLiteral("text"), 1, -99, {150, 20, 200, 26}, QString(), true);
        addField(QStringLiteral("textLabel"), 2, -99, {20, 60, 120, 24}, QStringLiteral("Your e-mail"));
        addField(QStringLiteral("text"), 2, -11, {150, 60, 200, 26})->setMarkAsReplyToEmailFlag(1);
        addField(QStringLiteral("textLabel"), 3, -99, {20, 100, 120, 24}, QStringLiteral("Message"));
        addField(QStringLiteral("textarea"), 3, -99, {150, 100, 205, 98});
        addField(QStringLiteral("textLabel"), 4, -22, {20, 210, 120, 24}, QStringLiteral("question"));
        addField(QStringLiteral("text"), 4, -22, {150, 210, 60, 26});
        addField(QStringLiteral("submit"), 5, -99, {150, 250, 100, 30}, QStringLiteral("Send"));
    }

    void makeFormPage()
    {
        doc->pageName = QStringLiteral("contact");
        doc->pageOfficialName = QStringLiteral("Contact us");
        doc->pageFileType = QStringLiteral("trelkoforms");
        doc->pageFileExtension = QStringLiteral("php");
        doc->siteFeedbackEmail = QStringLiteral("owner@example.test");
        doc->siteCCFeedbackEmail = QStringLiteral("copy@example.test");
        doc->formRequiredResponse = QStringLiteral("Please fill in every required field.");
        doc->formEmailVerificationMsg = QStringLiteral("Please check your e-mail address.");
        doc->formBotCheckerResponse = QStringLiteral("That's not the answer (try again).");
        doc->formSentResponse = QStringLiteral("Thank you; your message is on its way.");
    }

    // The text pass over the page's texts, then the form block on form pages.
    TextPassOutput runPass()
    {
        doc->textViewArray.clear();
        for (SKTText *t : doc->textAreas())
            if (t->textType() == QLatin1String("Text"))
                doc->textViewArray.append(TextElement(t));
        GenerationContext ctx(*doc, doc->pageName, false, false);
        TextFormPass::run(ctx);
        TextPassOutput out{ctx.textCSS, ctx.textMarkup, ctx.phpVariableLines, ctx.formRecords, QString()};
        if (FormMailer::isFormPage(*doc))
            out.formBlock = FormMailer::formBlock(ctx);
        return out;
    }

    struct Run {
        int exitCode = -1;
        QString output;
        QString errors;
    };

    static Run runProgram(const QString &program, const QStringList &arguments, const QString &input = QString(),
                          const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, arguments);
        Run run;
        if (!p.waitForStarted(10000)) {
            run.errors = program + QStringLiteral(" could not be started");
            return run;
        }
        p.write(input.toUtf8());
        p.closeWriteChannel();
        p.waitForFinished(30000);
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.output = QString::fromUtf8(p.readAllStandardOutput());
        run.errors = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    // php -l with short open tags off, as on Debian.
    static void expectPhpLints(const QString &file)
    {
        const Run run = runProgram(QStringLiteral("php"), {QStringLiteral("-n"), QStringLiteral("-d"),
                                                          QStringLiteral("short_open_tag=Off"), QStringLiteral("-l"), file});
        EXPECT_EQ(run.exitCode, 0) << (run.output + run.errors).toStdString();
        const QString text = QString::fromUtf8(readFile(file));
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("<\\?(?!php\\b|xml\\b)"))))
            << "a short open tag in " << file.toStdString();
    }
};
