// The form block of a form page: the PHP mailer, the validation script and
// the settings block. The page posts to itself; the mailer checks on the
// server what the script checks in the browser (a visitor may skip the
// script), sends on POST only, and says so when it refuses or when sending
// fails. Every owner text lands in its literal escaped for that literal.
#include "generation/ResponsiveArrangement.h"
#include "generation/FormMailer.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/GenerationContext.h"
#include "generation/Markers.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kEmpty = QString(QLatin1String(""));

// The e-mail test of the validation script (\\ is one backslash).
const char16_t kValidateEmail[] =
    u"function validateEmail(email)\n{ var re = /^(([^<>()[\\]\\\\.,;:\\s@\\\"]+(\\.[^<>()[\\]\\.,;:\\s@\\\"]+)*)|"
    u"(\".+\"))@(([[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\.[0-9]{1,3}\\])|(([a-zA-Z\\-0-9]+\\.)+[a-zA-Z]{2,}))$/;\n"
    u"return re.test(email);\n}\n";

const char16_t kValidationScript[] =
    u"<SCRIPT LANGUAGE='JavaScript'>\n%@\nfunction validateForm()\n{\n"
    u"//FORMREDIRECTURL%@FORMREDIRECTURLEND\n//FORMSUBMIT%@FORMSUBMITEND\n"
    u"//FORMEMAILVERIFICATION%@FORMEMAILVERIFICATIONEND\n//FORMBOTCHECKERMSG%@FORMBOTCHECKERMSGEND\n"
    u"%@\n%@\n%@\nif (showRequiredAlert==1)\n{\nalert('%@');\n//FORMMISSINGMSG%@FORMMISSINGMSGEND\nreturn false;\n}\n"
    u"if (showEmailAlert==1)\n{\nalert('%@');\nreturn false;\n}\n"
    u"if (showBotCheckerAlert==1)\n{\nalert('%@');\nreturn false;\n}\n"
    u"else{\nalert('%@');\n//FORMRESPONSEMSG%@FORMRESPONSEMSGEND\nreturn true;\n}\n}\n</SCRIPT>";

const char16_t kSettingsBlock[] =
    u"<?php\n%@\n//FORMRESPONSEIPSTART==%d==FORMRESPONSEIPEND\n//FORMDISPLAYOPTIONSTART==%d==FORMDISPLAYOPTIONEND\n"
    u"//FORMRESPONSEEMAILSTART==%@==FORMRESPONSEEMAILEND\n//FORMRESPONSEEMAILCCSTART==%@==FORMRESPONSEEMAILCCEND\n?>\n";

// What the mailer draws and keeps on every request: the bot question, with
// the answer of the previous page kept in the visitor's session to check this
// post. The answer also travels signed with the page (formCheck): valid for an
// hour, good for one post only (its nonce is spent in a file beside the
// secret), and tied to the visitor's session where the visitor came back with
// one. A visitor without cookies gets an unbound token and can still send;
// where the page has already sent more than the server buffers (a long header
// of the owner's) no session can start, and the token alone carries the check.
const char16_t kMailerHead[] =
    u"<?php\nfunction zovFormValue($name)\n{\n$value=isset($_POST[$name])?$_POST[$name]:'';\n"
    u"if (is_array($value))\n$value=implode(', ',array_filter($value,'is_string'));\n"
    u"return htmlspecialchars((string)$value,ENT_QUOTES,'UTF-8');\n}\n"
    u"function zovFormSecret()\n{\n$file=rtrim(sys_get_temp_dir(),'/').'/zov-form-'.md5(__FILE__);\n"
    u"$secret=@file_get_contents($file);\nif (!is_string($secret) || strlen($secret)<64)\n{\n"
    u"$secret=bin2hex(random_bytes(32));\n@file_put_contents($file,$secret,LOCK_EX);\n@chmod($file,0600);\n}\n"
    u"return $secret;\n}\n"
    u"function zovFormSign($answer,$expiry,$nonce,$mode,$session,$key)\n{\n"
    u"return hash_hmac('sha256',$answer.'|'.$expiry.'|'.$nonce.'|'.$mode.'|'.$session.'|'.$key,zovFormSecret());\n}\n"
    u"function zovFormSpend($nonce,$expiry)\n{\nstatic $spentHere=array();\n"
    u"if (isset($spentHere[$nonce]))\nreturn true;\n$file=rtrim(sys_get_temp_dir(),'/').'/zov-form-used-'.md5(__FILE__);\n"
    u"$handle=@fopen($file,'c+');\nif ($handle===false)\nreturn false;\n@chmod($file,0600);\n"
    u"if (!flock($handle,LOCK_EX))\n{\nfclose($handle);\nreturn false;\n}\n"
    u"$kept=array();\n$spent=false;\n$now=time();\n"
    u"while (($line=fgets($handle))!==false)\n{\n$part=explode(' ',trim($line));\n"
    u"if (count($part)!==2 || (int)$part[0]<$now)\ncontinue;\nif ($part[1]===$nonce)\n$spent=true;\n"
    u"$kept[]=$part[0].' '.$part[1];\n}\n"
    u"if (!$spent)\n$kept[]=$expiry.' '.$nonce;\n"
    u"ftruncate($handle,0);\nrewind($handle);\nfwrite($handle,implode(\"\\n\",$kept).\"\\n\");\nfflush($handle);\n"
    u"flock($handle,LOCK_UN);\nfclose($handle);\nif (!$spent)\n$spentHere[$nonce]=true;\nreturn !$spent;\n}\n"
    u"function zovFormAnswered($given,$expected,$token,$key,$session)\n{\nif (!is_string($given) || !is_string($token))\n"
    u"return false;\n$given=trim($given);\nif ($expected!==null && $given!==(string)$expected)\nreturn false;\n"
    u"$parts=explode('.',$token,4);\n"
    u"if (count($parts)!==4 || !preg_match('/^[0-9]+$/',$parts[0]) || (int)$parts[0]<time()"
    u" || !preg_match('/^[0-9a-f]{32}$/',$parts[1]) || ($parts[2]!=='s' && $parts[2]!=='n'))\nreturn false;\n"
    u"if ($parts[2]==='s' && $session==='')\nreturn false;\n"
    u"$signed=zovFormSign($given,$parts[0],$parts[1],$parts[2],$parts[2]==='s'?$session:'',$key);\n"
    u"return hash_equals($signed,$parts[3]) && zovFormSpend($parts[1],(int)$parts[0]);\n}\n"
    u"$formKey='%@';\n"
    u"$formSession=session_status()===PHP_SESSION_ACTIVE || (!headers_sent() && @session_start());\n"
    u"$formBound=$formSession && isset($_COOKIE[session_name()]) && $_COOKIE[session_name()]===session_id()?session_id():'';\n"
    u"$expectedAnswer=$formSession && isset($_SESSION[$formKey])?$_SESSION[$formKey]:null;\n"
    u"$firstNumber=rand(0,9);\n$secondNumber=rand(0,9);\n$answerNumber=$firstNumber+$secondNumber;\n"
    u"$questionString=\"$firstNumber + $secondNumber=\";\n"
    u"if ($formSession)\n$_SESSION[$formKey]=$answerNumber;\n$formExpiry=time()+3600;\n"
    u"$formNonce=bin2hex(random_bytes(16));\n$formMode=$formBound!==''?'s':'n';\n"
    u"$formCheck=$formExpiry.'.'.$formNonce.'.'.$formMode.'.'"
    u".zovFormSign($answerNumber,$formExpiry,$formNonce,$formMode,$formBound,$formKey);\n"
    u"$formRefusal='';\n"
    u"if ((isset($_SERVER['REQUEST_METHOD'])?$_SERVER['REQUEST_METHOD']:'')==='POST' && isset($_POST['email']))\n{";

const char16_t kMailerTail[] =
    u"if ($formRefusal!=='')\n"
    u"echo '<script>alert('.json_encode($formRefusal,JSON_HEX_TAG|JSON_HEX_AMP|JSON_HEX_APOS|JSON_HEX_QUOT).');</script>';\n"
    u"?>\n";

// A text inside a single-quoted JavaScript literal, as the alerts take it:
// the characters the alerts never carried dropped, the rest escaped.
QString alertText(const QString &text, bool dropDoubleQuotes = false)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : Escape::plainQuotes(text)) {
        if (c == u'{' || c == u'}' || c == u')' || c == u'(' || c == u';' || c == u'>' || c == u'<')
            continue;
        if (dropDoubleQuotes && c == u'"')
            continue;
        out += c;
    }
    return out;
}

// A marker value inside a comment of the validation script: it may neither
// end the comment (a line break) nor the script element, nor, on this PHP
// page, start PHP. Only what would do so changes.
QString scriptMarker(const QString &value)
{
    QString out = Markers::cleanMarkerValue(Escape::typographic(value), true);
    for (bool changed = true; changed;) {
        changed = false;
        if (out.contains(QLatin1String("<!--"))) {
            out.remove(QLatin1String("<!--"));
            changed = true;
        }
    }
    static const QRegularExpression scriptEnd(QStringLiteral("</(script)"), QRegularExpression::CaseInsensitiveOption);
    out.replace(scriptEnd, QStringLiteral("<\\/\\1"));
    return out;
}

// A mail address or header text: nothing that could start another header.
QString headerText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : Escape::plainQuotes(text))
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F && c.unicode() != 0x85 && c.unicode() != 0x2028
            && c.unicode() != 0x2029)
            out += c;
    return out.trimmed();
}

QString phpStringList(const QList<int32_t> &tags)
{
    QString out = QStringLiteral("array(");
    for (qsizetype i = 0; i < tags.size(); ++i) {
        if (i)
            out += QLatin1Char(',');
        Fmt::append(out, u"'form%d'", {tags[i]});
    }
    out += QLatin1Char(')');
    return out;
}

} // namespace

bool FormMailer::isFormPage(const SKTDocument &doc)
{
    return doc.pageFileType == QLatin1String("trelkoforms") || doc.pageFileExtension == QLatin1String("php");
}

QString FormMailer::formBlock(GenerationContext &ctx)
{
    SKTDocument &doc = ctx.doc;
    if (doc.customHeaderCode.isEmpty() || doc.customHeaderCode == QLatin1String("(null)"))
        doc.customHeaderCode = kEmpty;
    const QString formName = Escape::jsString(doc.pageName);

    // Fields by role, in element order; the client texts of the checks.
    QList<int32_t> requiredTags, emailTags, botTags;
    int32_t replyTag = -1;
    bool hasReply = false;
    QString requiredCheck = QStringLiteral("var showRequiredAlert=0;\nvar x;");
    QString emailCheck = QStringLiteral("var showEmailAlert=0;\nvar emailX;\nvar validateFlag=true;\n");
    QString botCheck = QStringLiteral("var showBotCheckerAlert=0;\nvar botCheckerValue;");
    for (const TextElement &el : std::as_const(doc.textViewArray)) {
        const int32_t tag = el.formTag();
        if (el.formOptionTag() == -11 && el.markAsReplyToEmailFlag() == 1) {
            replyTag = tag;
            hasReply = true;
        }
        if (el.formRequiredFlag() == 1 && el.formType() == QLatin1String("checkbox")) {
            // Checkboxes are named "formN[]": the form has no "formN" to read,
            // and a group is filled when one of its boxes is ticked.
            requiredTags.append(tag);
            Fmt::append(requiredCheck,
                        u"\nx=document.forms['%@'].querySelectorAll('input[name=\"form%d[]\"]:checked').length?'1':'';"
                        u"\nif (x==null || x=='')\nshowRequiredAlert=1;\n",
                        {formName, tag});
        } else if (el.formRequiredFlag() == 1) {
            requiredTags.append(tag);
            Fmt::append(requiredCheck,
                        u"\nx=document.forms['%@']['form%d'].value;\nif (x==null || x=='')\nshowRequiredAlert=1;\n",
                        {formName, tag});
        }
        if (el.formOptionTag() == -11) {
            emailTags.append(tag);
            Fmt::append(emailCheck,
                        u"\nemailX=document.forms['%@']['form%d'].value;\nvalidateFlag=validateEmail(emailX);\n"
                        u"if (!validateFlag)\nshowEmailAlert=1;\n",
                        {formName, tag});
        }
        if (el.formOptionTag() == -22 && el.formType() == QLatin1String("text")) {
            botTags.append(tag);
            Fmt::append(botCheck,
                        u"\nbotCheckerValue=document.forms['%@']['form%d'].value;\n"
                        u"if (botCheckerValue!=<?php echo $answerNumber;?>)\nshowBotCheckerAlert=1;\n",
                        {formName, tag});
        }
    }

    // Alert texts and the submit caption, which is stored as cleaned.
    const QString requiredAlert = Escape::jsString(alertText(doc.formRequiredResponse));
    const QString botAlert = Escape::jsString(alertText(doc.formBotCheckerResponse));
    const QString emailAlert = Escape::jsString(alertText(doc.formEmailVerificationMsg));
    const QString sentAlert = Escape::jsString(alertText(doc.formSentResponse));
    doc.formSubmitButtonValue = alertText(doc.formSubmitButtonValue, true);

    // The mail body: the records in creation order, or top to bottom.
    // A server alone sends through it without logging in; a user name adds the log-in.
    const bool smtp = !doc.formEmailServer.trimmed().isEmpty();
    const bool smtpLogin = smtp && !doc.formEmailUsername.isEmpty();
    QList<FormSortHelper> records = ctx.formRecords;
    if (doc.formOrderLayoutOption != 1)
        std::stable_sort(records.begin(), records.end(), [](const FormSortHelper &a, const FormSortHelper &b) {
            // Fields on one line read left to right (a label before its field).
            return a.formYPosition != b.formYPosition ? a.formYPosition < b.formYPosition
                                                      : a.formXPosition < b.formXPosition;
        });
    QString body;
    QString variableLines = ctx.phpVariableLines;
    if (gResponsiveEdition) {
        // The fields as the sections hold them (arranged once, shared with the page).
        variableLines.clear();
        for (const CodeWidgetHelper &f : ResponsiveArrangement::pageFragments(ctx)) {
            variableLines += f.formResponseBody;
            body += f.formMessageBody;
        }
    } else {
        for (const FormSortHelper &r : std::as_const(records))
            body += smtp ? r.formMessageBody : r.formMessageBody_quote;
    }
    if (doc.grabIPFlag == 1) {
        body += smtp ? QStringLiteral("<p><br>Message sent from IP: $ip<p>")
                     : QStringLiteral("<p><br>Message sent from IP: '.$ip.'<p>");
        variableLines += QStringLiteral("\n$ip=htmlspecialchars($_SERVER['REMOTE_ADDR'],ENT_QUOTES,'UTF-8');");
    }

    // Server checks, in the script's order: required, e-mail, bot answer.
    QString checks;
    if (hasReply)
        Fmt::append(checks,
                    u"$reply_email=isset($_POST['form%d'])&&is_string($_POST['form%d'])?trim($_POST['form%d']):'';\n",
                    {replyTag, replyTag, replyTag});
    const QString requiredMessage = Escape::phpSingle(doc.formRequiredResponse);
    const QString emailMessage = Escape::phpSingle(doc.formEmailVerificationMsg);
    const QString botMessage = Escape::phpSingle(doc.formBotCheckerResponse);
    if (!requiredTags.isEmpty())
        Fmt::append(checks,
                    u"foreach (%@ as $field)\nif ($formRefusal==='' && (!isset($_POST[$field]) || $_POST[$field]==='' "
                    u"|| $_POST[$field]===array()))\n$formRefusal='%@';\n",
                    {phpStringList(requiredTags), requiredMessage});
    if (!emailTags.isEmpty())
        Fmt::append(checks,
                    u"foreach (%@ as $field)\nif ($formRefusal==='' && (!isset($_POST[$field]) || "
                    u"!is_string($_POST[$field]) || preg_match('/[\\r\\n]/',$_POST[$field]) || "
                    u"!filter_var(trim($_POST[$field]),FILTER_VALIDATE_EMAIL)))\n$formRefusal='%@';\n",
                    {phpStringList(emailTags), emailMessage});
    if (hasReply)
        Fmt::append(checks, u"if ($formRefusal==='' && preg_match('/[\\r\\n]/',$reply_email))\n$formRefusal='%@';\n",
                    {emailMessage});
    if (!botTags.isEmpty())
        Fmt::append(checks,
                    u"foreach (%@ as $field)\nif ($formRefusal==='' && !zovFormAnswered(isset($_POST[$field])?"
                    u"$_POST[$field]:null,$expectedAnswer,isset($_POST['formCheck'])?$_POST['formCheck']:'',$formKey,$formBound))\n"
                    u"$formRefusal='%@';\n",
                    {phpStringList(botTags), botMessage});

    // Headers and the send statement.
    const QString from = headerText(doc.siteFeedbackEmail);
    const QString cc = headerText(doc.siteCCFeedbackEmail);
    QString subjectText = headerText(doc.pageOfficialName);
    subjectText.remove(QLatin1Char('\''));
    subjectText = QStringLiteral("Feedback from ") + subjectText;
    QString headers = QStringLiteral("$headers=\"From:") + Escape::phpDouble(from) + QStringLiteral("\\r\\n");
    if (!cc.isEmpty())
        headers += QStringLiteral("CC:") + Escape::phpDouble(cc) + QStringLiteral("\\r\\n");
    if (hasReply)
        headers += QStringLiteral("Reply-To:$reply_email\\r\\n");
    headers += QStringLiteral("Content-type:text/html\\r\\n\";");

    QString send;
    QString smtpMarkers;
    if (smtp) {
        const SmtpServer server = splitSmtpServer(headerText(doc.formEmailServer));
        const QString user = headerText(doc.formEmailUsername);
        Fmt::append(send,
                    u"require_once \"Mail.php\";\n$from = \"%@\";\n$to = \"%@\";\n$cc = \"%@\";\n",
                    {Escape::phpDouble(from), Escape::phpDouble(from), Escape::phpDouble(cc)});
        // Without a copy address the copy takes no recipient and no header.
        send += cc.isEmpty() ? QStringLiteral("$recipients = $to;\n") : QStringLiteral("$recipients = $to.\",\".$cc;\n");
        Fmt::append(send, u"$subject = \"%@\";\n$body = \"%@\";\n$host = \"%@\";\n",
                    {Escape::phpDouble(subjectText), body, Escape::phpDouble(server.host)});
        if (server.port > 0)
            Fmt::append(send, u"$port = %d;\n", {server.port});
        if (smtpLogin)
            Fmt::append(send, u"$username = \"%@\";\n$password = \"%@\";\n",
                        {Escape::phpDouble(user), Escape::phpDouble(doc.formEmailPassword)});
        send += QStringLiteral("$headers = array ('From' => $from,\n'To' => $to,\n'Content-type'=>\"text/html\",\n");
        if (!cc.isEmpty())
            send += QStringLiteral("'Cc' => $cc,\n");
        if (hasReply)
            send += QStringLiteral("'Reply-To' => $reply_email,\n");
        send += QStringLiteral("'Subject' => $subject);\n$smtp = Mail::factory('smtp',\narray ('host' => $host,\n");
        if (server.port > 0)
            send += QStringLiteral("'port' => $port,\n");
        send += smtpLogin ? QStringLiteral("'auth' => true,\n'username' => $username,\n'password' => $password));\n")
                          : QStringLiteral("'auth' => false));\n");
        send += QStringLiteral("$mail = $smtp->send($recipients, $headers, $body);\n$mailSent = !PEAR::isError($mail);\n");
        smtpMarkers = Fmt::fill(
            u"%@\n%@\n%@\n",
            {QStringLiteral("//====SMTP_EMAIL_SERVER_START==") + Markers::cleanMarkerValue(doc.formEmailServer, true)
                 + QStringLiteral("==SMTP_EMAIL_SERVER_END"),
             QStringLiteral("//====SMTP_EMAIL_USERNAME_START==") + Markers::cleanMarkerValue(doc.formEmailUsername, true)
                 + QStringLiteral("==SMTP_EMAIL_USERNAME_END"),
             QStringLiteral("//====SMTP_EMAIL_PASSWORD_START==") + Markers::cleanMarkerValue(doc.formEmailPassword, true)
                 + QStringLiteral("==SMTP_EMAIL_PASSWORD_END")});
    } else {
        Fmt::append(send, u"$mailSent = mail('%@', '%@', '%@', $headers);\n",
                    {Escape::phpSingle(from), Escape::phpSingle(subjectText), body});
    }

    // The PHP mailer.
    const QString sessionKey = QStringLiteral("formAnswer_") + Escape::phpSingle(doc.pageName);
    QString mailer = Fmt::fill(kMailerHead, {sessionKey});
    Fmt::append(mailer, u"%@\n%@if ($formRefusal==='')\n{\n%@\n%@if (!$mailSent)\n"
                        u"$formRefusal='The message could not be sent, please try again later.';\n",
                {variableLines, checks, headers, send});
    if (!doc.formRedirectURL.isEmpty()) {
        const QString url = Escape::phpDouble(Escape::html(headerText(doc.formRedirectURL)));
        Fmt::append(mailer, u"else\necho\"<meta http-equiv='refresh' content='0; url=%@'>\";\n", {url});
    }
    mailer += QStringLiteral("}\n}\n");
    mailer += QString::fromUtf16(kMailerTail);

    // The validation script.
    const QString script = Fmt::fill(
        kValidationScript,
        {QString::fromUtf16(kValidateEmail), scriptMarker(doc.formRedirectURL), scriptMarker(doc.formSubmitButtonValue),
         scriptMarker(doc.formEmailVerificationMsg), scriptMarker(doc.formBotCheckerResponse), requiredCheck,
         emailCheck, botCheck, requiredAlert, scriptMarker(doc.formRequiredResponse), emailAlert, botAlert, sentAlert,
         scriptMarker(doc.formSentResponse)});

    // The settings block.
    const QString settings =
        Fmt::fill(kSettingsBlock, {smtpMarkers, doc.grabIPFlag, doc.formOrderLayoutOption,
                                   Markers::cleanMarkerValue(doc.siteFeedbackEmail, true),
                                   Markers::cleanMarkerValue(doc.siteCCFeedbackEmail, true)});

    return Fmt::fill(u"%@\n\n%@\n\n%@\n", {mailer, script, settings});
}

FormMailer::SmtpServer FormMailer::splitSmtpServer(const QString &typed)
{
    SmtpServer server;
    const QString text = typed.trimmed();
    const auto portOf = [](const QString &digits) {
        bool ok = false;
        const int port = digits.toInt(&ok);
        return ok && port > 0 && port < 65536 && !digits.startsWith(QLatin1Char('+')) ? port : 0;
    };
    if (text.startsWith(QLatin1Char('['))) {
        // "[2001:db8::1]:587"
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            server.host = text.mid(1, close - 1);
            if (text.mid(close + 1).startsWith(QLatin1Char(':')))
                server.port = portOf(text.mid(close + 2));
            return server;
        }
    }
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    // One colon separates a port; several make a bare IPv6 address.
    if (colon > 0 && text.indexOf(QLatin1Char(':')) == colon) {
        const int port = portOf(text.mid(colon + 1));
        if (port > 0) {
            server.host = text.left(colon);
            server.port = port;
            return server;
        }
    }
    server.host = text;
    return server;
}

QString FormMailer::joinSmtpServer(const QString &host, int port)
{
    const QString h = host.trimmed();
    if (port <= 0 || h.isEmpty())
        return h;
    return (h.contains(QLatin1Char(':')) ? QLatin1Char('[') + h + QLatin1Char(']') : h) + QLatin1Char(':')
        + QString::number(port);
}
