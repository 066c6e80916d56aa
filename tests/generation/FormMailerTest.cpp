// The form block of a form page: the mailer (mail() and the SMTP road), the
// validation script and the settings block; and what the mailer does when
// the page is requested, run by the command-line PHP with mail() handing the
// message to a script that keeps it.
#include "TextFormFixture.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

namespace {

QString between(const QString &text, const QString &start, const QString &end)
{
    const qsizetype from = text.indexOf(start);
    if (from < 0)
        return QString();
    const qsizetype to = text.indexOf(end, from + start.size());
    return to < 0 ? QString() : text.mid(from + start.size(), to - from - start.size());
}

} // namespace

class FormMailerTest : public TextFormTest {
protected:
    void writeText(const QString &file, const QString &text)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }

    // The page written where the command-line PHP runs it.
    QString writePage()
    {
        const QString file = path(QStringLiteral("site/contact.php"));
        QDir().mkpath(QFileInfo(file).path());
        writeText(file, generate());
        return file;
    }

    // One request of the page: GET, or POST of the fields. mail() hands each
    // message to a script that keeps it in mail/, or fails when failSend.
    Run request(const QString &page, const QVariantMap *post, bool failSend = false)
    {
        QDir().mkpath(path(QStringLiteral("mail")));
        QDir().mkpath(path(QStringLiteral("tmp")));
        const QString sendmail = path(QStringLiteral("sendmail.sh"));
        writeText(sendmail, QStringLiteral("#!/bin/sh\ncat > \"%1/mail/$$.eml\"\n").arg(path()));
        QString prepend = QStringLiteral("<?php\n$_SERVER['REMOTE_ADDR']='127.0.0.1';\n");
        if (post) {
            writeText(path(QStringLiteral("post.json")),
                      QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(*post)).toJson()));
            prepend += QStringLiteral("$_SERVER['REQUEST_METHOD']='POST';\n$_POST=json_decode(file_get_contents('%1'),true);\n")
                           .arg(path(QStringLiteral("post.json")));
        } else {
            prepend += QStringLiteral("$_SERVER['REQUEST_METHOD']='GET';\n$_GET=array('email'=>'email','form1'=>'x');\n");
        }
        writeText(path(QStringLiteral("prepend.php")), prepend);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), path(QStringLiteral("tmp")));
        return runProgram(QStringLiteral("php"),
                          {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("short_open_tag=Off"),
                           QStringLiteral("-d"), QStringLiteral("error_reporting=E_ALL"), QStringLiteral("-d"),
                           QStringLiteral("display_errors=stderr"), QStringLiteral("-d"),
                           QStringLiteral("auto_prepend_file=") + path(QStringLiteral("prepend.php")),
                           QStringLiteral("-d"),
                           QStringLiteral("sendmail_path=") + (failSend ? QStringLiteral("/bin/false")
                                                                        : QStringLiteral("/bin/sh ") + sendmail),
                           page},
                          QString(), env);
    }

    QStringList mails()
    {
        QStringList out;
        const QDir dir(path(QStringLiteral("mail")));
        for (const QString &name : dir.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Time | QDir::Reversed))
            out << QString::fromUtf8(readFile(dir.filePath(name)));
        return out;
    }

    // The visitor's fields with the right answer of the page just served.
    static QVariantMap rightAnswer(const QString &served)
    {
        const QRegularExpressionMatch q = QRegularExpression(QStringLiteral("(\\d) \\+ (\\d)=")).match(served);
        const QRegularExpressionMatch c =
            QRegularExpression(QStringLiteral("name=formCheck value=\"([0-9]+\\.[0-9a-f]{32}\\.[sn]\\.[0-9a-f]+)\"")).match(served);
        EXPECT_TRUE(q.hasMatch() && c.hasMatch()) << served.left(200).toStdString();
        return {{"form1", "Ada <Lovelace>"},
                {"form2", "ada@example.test"},
                {"form3", "first line\nsecond & last"},
                {"form4", QString::number(q.captured(1).toInt() + q.captured(2).toInt())},
                {"formCheck", c.captured(1)},
                {"email", "email"}};
    }
};

TEST_F(FormMailerTest, MailAndSmtpFormBlocksAreTheStoredFormatAndValidPhp)
{
    makeFormPage();
    addContactForm();
    doc->formRedirectURL = QStringLiteral("thanks.html");
    doc->grabIPFlag = 1;
    doc->formOrderLayoutOption = 1;
    const TextPassOutput mail = runPass();
    expectGolden(QStringLiteral("form-block-mail.php"), mail.formBlock);

    doc->siteCCFeedbackEmail.clear();
    doc->formRedirectURL.clear();
    doc->grabIPFlag = 0;
    doc->formOrderLayoutOption = 0;
    doc->formEmailServer = QStringLiteral("smtp.example.test:587");
    doc->formEmailUsername = QStringLiteral("mailer");
    doc->formEmailPassword = QStringLiteral("pa$$\"word");
    const TextPassOutput smtp = runPass();
    expectGolden(QStringLiteral("form-block-smtp.php"), smtp.formBlock);
    // No copy address: no Cc header and no trailing comma among the recipients.
    EXPECT_TRUE(smtp.formBlock.contains(QStringLiteral("$recipients = $to;\n")));
    EXPECT_FALSE(smtp.formBlock.contains(QStringLiteral("'Cc'")));
    EXPECT_FALSE(smtp.formBlock.contains(QStringLiteral("CC:")));
    EXPECT_TRUE(smtp.formBlock.contains(QStringLiteral("$password = \"pa\\$\\$\\\"word\";")));

    // The port travels apart from the host, so an address with a port is no host name.
    EXPECT_TRUE(smtp.formBlock.contains(QStringLiteral("$host = \"smtp.example.test\";\n$port = 587;\n")));
    EXPECT_TRUE(smtp.formBlock.contains(QStringLiteral("'port' => $port,\n'auth' => true,")));

    // A server without a user name sends through it without logging in.
    doc->formEmailUsername.clear();
    doc->formEmailServer = QStringLiteral("127.0.0.1:8025");
    const QString open = runPass().formBlock;
    EXPECT_TRUE(open.contains(QStringLiteral("$host = \"127.0.0.1\";\n$port = 8025;\n")));
    EXPECT_TRUE(open.contains(QStringLiteral("'auth' => false));")));
    EXPECT_FALSE(open.contains(QStringLiteral("$password")));
    EXPECT_FALSE(open.contains(QStringLiteral("mail('owner@example.test'")));
    // No server: PHP's mail().
    doc->formEmailServer.clear();
    EXPECT_TRUE(runPass().formBlock.contains(QStringLiteral("$mailSent = mail('owner@example.test'")));

    for (const auto &[name, text] : {std::pair{"mail.php", mail.formBlock}, std::pair{"smtp.php", smtp.formBlock}}) {
        const QString file = path(QString::fromLatin1(name));
        writeText(file, text);
        expectPhpLints(file);
    }
}

TEST(FormMailerSmtpServer, HostAndPortAreReadAsTypedAndWrittenBack)
{
    const struct {
        const char *typed;
        const char *host;
        int port;
        const char *joined;
    } cases[] = {
        {"smtp.example.org", "smtp.example.org", 0, "smtp.example.org"},
        {" 127.0.0.1:8025 ", "127.0.0.1", 8025, "127.0.0.1:8025"},
        {"[2001:db8::1]:587", "2001:db8::1", 587, "[2001:db8::1]:587"},
        {"2001:db8::1", "2001:db8::1", 0, "2001:db8::1"},
        {"mail.example.org:smtp", "mail.example.org:smtp", 0, "mail.example.org:smtp"},
        {"mail.example.org:70000", "mail.example.org:70000", 0, "mail.example.org:70000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const FormMailer::SmtpServer server = FormMailer::splitSmtpServer(QString::fromLatin1(c.typed));
        EXPECT_EQ(server.host, QString::fromLatin1(c.host));
        EXPECT_EQ(server.port, c.port);
        EXPECT_EQ(FormMailer::joinSmtpServer(server.host, server.port), QString::fromLatin1(c.joined));
    }
}

TEST_F(FormMailerTest, AlertTextsAreSafeInTheScriptAndKeptAsEnteredInTheirMarkers)
{
    makeFormPage();
    addContactForm();
    doc->formRequiredResponse = QStringLiteral("Don't (ever); <b>skip</b> {it}");
    const QString block = runPass().formBlock;
    EXPECT_TRUE(block.contains(QStringLiteral("alert('Don\\'t ever bskip/b it');")));
    // The marker keeps it as typed, its angle brackets as references the reader decodes.
    EXPECT_TRUE(block.contains(
        QStringLiteral("//FORMMISSINGMSGDon't (ever); &lt;b&gt;skip&lt;/b&gt; {it}FORMMISSINGMSGEND")));
    // No e-mail field: the e-mail check is its declarations, and the test function is still written.
    doc->setGraphics({});
    addField(QStringLiteral("text"), 1, -99, {10, 10, 100, 20}, QString(), true);
    const QString plain = runPass().formBlock;
    EXPECT_TRUE(plain.contains(QStringLiteral("var showEmailAlert=0;\nvar emailX;\nvar validateFlag=true;\n\n"
                                              "var showBotCheckerAlert=0;")));
    EXPECT_TRUE(plain.contains(QStringLiteral("function validateEmail(email)")));

    // A required checkbox group is checked by its ticked boxes (there is no
    // "formN" field to read).
    addField(QStringLiteral("checkbox"), 2, 0, {10, 40, 20, 20}, QString(), true);
    const QString boxes = runPass().formBlock;
    EXPECT_TRUE(boxes.contains(QStringLiteral(
        "x=document.forms['contact'].querySelectorAll('input[name=\"form2[]\"]:checked').length?'1':'';")));
    EXPECT_FALSE(boxes.contains(QStringLiteral("['form2'].value")));
    EXPECT_TRUE(boxes.contains(QStringLiteral("foreach (array('form1','form2') as $field)")));
}

TEST_F(FormMailerTest, HostileOwnerTextsCloseNoLiteralScriptOrPhp)
{
    makeFormPage();
    addContactForm();
    const QString nasty = QStringLiteral("a'b\"c\\d$e\nf</script><script>alert(1)</script>?><?php echo 1;-->");
    doc->pageOfficialName = nasty;
    doc->formRequiredResponse = nasty;
    doc->formEmailVerificationMsg = nasty;
    doc->formBotCheckerResponse = nasty;
    doc->formSentResponse = nasty;
    doc->formRedirectURL = nasty;
    doc->formSubmitButtonValue = nasty;
    doc->siteFeedbackEmail = QStringLiteral("owner@example.test\r\nBcc: x@example.test");
    doc->siteCCFeedbackEmail = nasty;
    doc->formEmailServer = nasty;
    doc->formEmailUsername = nasty;
    doc->formEmailPassword = nasty;
    const QString page = writePage();
    expectPhpLints(page);

    // Served, the page's script parses and holds exactly one script element's end.
    const Run served = request(page, nullptr);
    ASSERT_EQ(served.exitCode, 0) << served.errors.toStdString();
    EXPECT_TRUE(served.errors.isEmpty()) << served.errors.toStdString();
    const QString script = between(served.output, QStringLiteral("<SCRIPT LANGUAGE='JavaScript'>"),
                                   QStringLiteral("</SCRIPT>"));
    ASSERT_FALSE(script.isEmpty());
    EXPECT_FALSE(script.contains(QStringLiteral("</"), Qt::CaseInsensitive));
    const Run node = runProgram(QStringLiteral("node"), {QStringLiteral("--check"), QStringLiteral("-")}, script);
    EXPECT_EQ(node.exitCode, 0) << node.errors.toStdString();
    // The owner's address cannot add a header.
    EXPECT_FALSE(QString::fromUtf8(readFile(page)).contains(QStringLiteral("\nBcc:")));
}

TEST_F(FormMailerTest, TheServerSendsOnlyAValidPostAndSaysWhyItRefuses)
{
    makeFormPage();
    addContactForm();
    const QString page = writePage();

    // GET never sends, whatever it carries.
    Run served = request(page, nullptr);
    ASSERT_EQ(served.exitCode, 0) << served.errors.toStdString();
    EXPECT_TRUE(mails().isEmpty());

    // A right post sends one HTML mail with the values escaped and a copy.
    QVariantMap fields = rightAnswer(served.output);
    Run posted = request(page, &fields);
    EXPECT_TRUE(posted.errors.isEmpty()) << posted.errors.toStdString();
    QStringList sent = mails();
    ASSERT_EQ(sent.size(), 1) << posted.output.right(400).toStdString();
    const QString message = sent.first();
    EXPECT_TRUE(message.contains(QStringLiteral("Subject: Feedback from Contact us")));
    EXPECT_TRUE(message.contains(QStringLiteral("To: owner@example.test")));
    EXPECT_TRUE(message.contains(QStringLiteral("CC:copy@example.test")));
    EXPECT_TRUE(message.contains(QStringLiteral("Reply-To:ada@example.test")));
    // Top to bottom, labels before their fields.
    EXPECT_TRUE(message.contains(QStringLiteral("<b>Your name</b><p>Ada &lt;Lovelace&gt;<p><b>Your e-mail</b><p>"
                                                "ada@example.test<p><b>Message</b><p>first line<br />\nsecond &amp; last<p>")))
        << message.toStdString();
    EXPECT_FALSE(posted.output.contains(QStringLiteral("<script>alert(")));

    // The same post again: its token is spent, nothing more is sent.
    const Run replayed = request(page, &fields);
    EXPECT_EQ(mails().size(), 1) << "a replayed token sends nothing";
    EXPECT_TRUE(replayed.output.contains(QStringLiteral("That\\u0027s not the answer (try again).")));

    struct Refusal {
        const char *name;
        std::function<void(QVariantMap &)> change;
        QString says;
    };
    const QList<Refusal> refusals{
        {"wrong bot answer", [](QVariantMap &f) { f[QStringLiteral("form4")] = QString::number((f[QStringLiteral("form4")].toString().toInt() + 1) % 19); },
         QStringLiteral("That\\u0027s not the answer (try again).")},
        {"forged answer check", [](QVariantMap &f) { f[QStringLiteral("formCheck")] = QStringLiteral("9999999999.00"); },
         QStringLiteral("That\\u0027s not the answer (try again).")},
        {"missing required field", [](QVariantMap &f) { f.remove(QStringLiteral("form1")); },
         QStringLiteral("Please fill in every required field.")},
        {"header injection in the reply address",
         [](QVariantMap &f) { f[QStringLiteral("form2")] = QStringLiteral("ada@example.test\r\nBcc: victim@example.test"); },
         QStringLiteral("Please check your e-mail address.")},
        {"a field sent as a list", [](QVariantMap &f) { f[QStringLiteral("form2")] = QStringList{"a@b.test"}; },
         QStringLiteral("Please check your e-mail address.")},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.name);
        served = request(page, nullptr);
        fields = rightAnswer(served.output);
        r.change(fields);
        posted = request(page, &fields);
        EXPECT_TRUE(posted.errors.isEmpty()) << posted.errors.toStdString();
        EXPECT_EQ(mails().size(), 1);
        EXPECT_TRUE(posted.output.contains(QStringLiteral("<script>alert(\"") + r.says + QStringLiteral("\");</script>")))
            << posted.output.left(4000).toStdString();
    }

    // A send that fails is reported.
    served = request(page, nullptr);
    fields = rightAnswer(served.output);
    posted = request(page, &fields, true);
    EXPECT_TRUE(posted.output.contains(QStringLiteral("The message could not be sent")));
}
