<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" "http://www.w3.org/TR/html4/loose.dtd">
<html><head>
<title>Contact us</title>
<meta http-equiv="Content-Type" content="text/html; charset=UTF-8"/> 
<script src="https://ajax.googleapis.com/ajax/libs/jquery/2.2.2/jquery.min.js"></script>
<link rel="stylesheet" href="https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/css/bootstrap.min.css" charset="UTF-8">
<script src="https://maxcdn.bootstrapcdn.com/bootstrap/3.3.4/js/bootstrap.min.js" charset="UTF-8"></script>
<!--Custom Header Code:0-->

<?php
session_start();
$formRefusal = '';
$formSent = false;
if ($_SERVER['REQUEST_METHOD'] === 'POST' && isset($_POST['email'])) {
    $expected = isset($_SESSION['formAnswer']) ? $_SESSION['formAnswer'] : null;
    unset($_SESSION['formAnswer']);
    $form1 = isset($_POST['form1']) ? strip_tags($_POST['form1']) : '';
    $form2 = isset($_POST['form2']) ? strip_tags($_POST['form2']) : '';
    $form3 = isset($_POST['form3']) ? trim($_POST['form3']) : '';
    $reply_email = $form2;
    if ($form1 === '') {
        $formRefusal = 'Please fill in every required field.';
    } elseif (preg_match('/[\r\n]/', $reply_email) || !filter_var($reply_email, FILTER_VALIDATE_EMAIL)) {
        $formRefusal = 'Please check your e-mail address.';
    } elseif ($expected === null || $form3 !== (string)$expected) {
        $formRefusal = 'Wrong answer, please try again.';
    } else {
        $body = '<b>Name</b><p>' . htmlspecialchars($form1) . '<p>' . htmlspecialchars($form2) . '<p>';
        require_once "Mail.php";
        $from = "owner@example.test";
        $to = "owner@example.test";
        $cc = "copy@example.test";
        $headers = array('From' => $from, 'To' => $to, 'Content-type' => "text/html", 'Cc' => $cc,
                         'Reply-To' => $reply_email, 'Subject' => "Feedback from Contact us");
        $smtp = Mail::factory('smtp', array('host' => "@SMTP_AUTH_HOST@", 'auth' => true,
                                            'username' => "mailer", 'password' => "s3cret"));
        $formSent = !PEAR::isError($smtp->send($to . "," . $cc, $headers, $body));
        if (!$formSent)
            $formRefusal = 'The message could not be sent.';
    }
}
$firstNumber=rand(0,9);
$secondNumber=rand(0,9);
$answerNumber=$firstNumber+$secondNumber;
$_SESSION['formAnswer']=$answerNumber;
$questionString="$firstNumber + $secondNumber=";
?>

<SCRIPT LANGUAGE='JavaScript'>
function validateEmail(email)
{ var re = /^(([^<>()[\]\\.,;:\s@\"]+(\.[^<>()[\]\.,;:\s@\"]+)*)|(".+"))@(([[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,3}\])|(([a-zA-Z\-0-9]+\.)+[a-zA-Z]{2,}))$/;
return re.test(email);
}

function validateForm()
{
var showRequiredAlert=0;
var x;
x=document.forms['form']['form1'].value;
if (x==null || x=='')
showRequiredAlert=1;

var showEmailAlert=0;
var emailX;
var validateFlag=true;

emailX=document.forms['form']['form2'].value;
validateFlag=validateEmail(emailX);
if (!validateFlag)
showEmailAlert=1;

var showBotCheckerAlert=0;
var botCheckerValue;
botCheckerValue=document.forms['form']['form3'].value;
if (botCheckerValue!=<?php echo $answerNumber; ?>)
showBotCheckerAlert=1;

if (showRequiredAlert==1)
{
alert('Please fill in every required field.');
return false;
}
if (showEmailAlert==1)
{
alert('Please check your e-mail address.');
return false;
}
if (showBotCheckerAlert==1)
{
alert('Wrong answer, please try again.');
return false;
}
else{
alert('Thank you, your message is on its way.');
return true;
}
}
</SCRIPT>

<style type=text/css>
body{background-color:#FFFFFF;}
.text0{position:absolute;left:20px;top:20px;z-index:5;font-size:14px;color:#000000;width:200px;height:30px;padding:0px;border-style:solid;border-width:1px;margin:0px;}
.text1{position:absolute;left:20px;top:60px;z-index:4;font-size:14px;color:#000000;width:200px;height:30px;padding:0px;border-style:solid;border-width:1px;margin:0px;}
.text2{position:absolute;left:20px;top:100px;z-index:3;font-size:14px;color:#000000;width:100px;height:24px;padding:0px;border-style:none;border-width:0px;margin:0px;}
.text3{position:absolute;left:130px;top:100px;z-index:2;font-size:14px;color:#000000;width:90px;height:30px;padding:0px;border-style:solid;border-width:1px;margin:0px;}
.text4{position:absolute;left:20px;top:150px;z-index:1;font-size:14px;color:#000000;width:100px;height:30px;padding:0px;border-style:solid;border-width:1px;margin:0px;}
</style></head>
<body bgcolor=#FFFFFF leftmargin=0 topmargin=0>
<div id=content><form name=form action=formsmtp.php onsubmit="return validateForm();" method=post>
<input class=text0 type="text" name=form1 required>
<input class=text1 type="text" name=form2>
<div class=text2><?php echo htmlspecialchars($questionString); ?></div>
<input class=text3 type="text" name=form3>
<input class=text4 type="submit" value="Send" name=form4>
<?php if ($formRefusal !== '') echo '<p class=formRefusal>' . htmlspecialchars($formRefusal) . '</p>'; ?>
<?php if ($formSent) echo '<p class=formSent>Sent.</p>'; ?>
<input type="hidden" name=email value="email"></form>
</div></body></html>
