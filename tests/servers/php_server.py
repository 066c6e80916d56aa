#!/usr/bin/python3
"""PHP's built-in web server for the page tests, on 127.0.0.1 and a free port.

It serves a folder of pages with a php.ini of its own: short open tags off (as
on Debian), and PHP's mail() handing messages to msmtp, which delivers them to
an SMTP server on 127.0.0.1 (the test's own, see smtp_server.py). Nothing of the
system's PHP or mail set-up is changed.

  --root DIR          the folder served
  --port-file PATH    the port is written here once the server answers
  --smtp-port N       where mail() delivers (msmtp, plain SMTP, no AUTH)
  --work-dir DIR      php.ini, msmtprc, sessions and logs (php-errors.log, msmtp.log;
                      default: a temporary folder)

Stops php and itself on SIGTERM or SIGINT.
"""
import argparse
import ctypes
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time


def die_with_parent():
    """Ends this process when its parent ends, however that happens."""
    try:
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except OSError:
        pass


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def answers(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.2):
            return True
    except OSError:
        return False


def write_config(work, smtp_port):
    sessions = os.path.join(work, "sessions")
    os.makedirs(sessions, exist_ok=True)
    msmtprc = os.path.join(work, "msmtprc")
    with open(msmtprc, "w") as f:
        f.write("defaults\nauth off\ntls off\nlogfile %s\n\n" % os.path.join(work, "msmtp.log"))
        f.write("account default\nhost 127.0.0.1\nport %d\nfrom page-mailer@localhost\n" % smtp_port)
    os.chmod(msmtprc, 0o600)  # msmtp refuses a configuration others can read
    ini = os.path.join(work, "php.ini")
    with open(ini, "w") as f:
        f.write("short_open_tag = Off\n")
        # As on a Debian web server: output is buffered, so a page may still send
        # headers (its session cookie) after its first lines of markup.
        f.write("output_buffering = 4096\n")
        f.write("display_errors = Off\nlog_errors = On\nerror_reporting = E_ALL\n")
        f.write("error_log = \"%s\"\n" % os.path.join(work, "php-errors.log"))
        f.write("session.save_path = \"%s\"\n" % sessions)
        f.write("sendmail_path = \"/usr/bin/msmtp -C %s -t\"\n" % msmtprc)
        f.write("include_path = \".:/usr/share/php\"\n")
        f.write("default_socket_timeout = 10\n")
    return ini


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--root", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--smtp-port", type=int, default=25)
    p.add_argument("--work-dir")
    args = p.parse_args()
    die_with_parent()

    work = args.work_dir or tempfile.mkdtemp(prefix="zov-php-")
    os.makedirs(work, exist_ok=True)
    ini = write_config(work, args.smtp_port)
    log = open(os.path.join(work, "php-server.log"), "ab")

    php = None
    for _ in range(10):  # another process may take the port between asking and binding
        port = free_port()
        php = subprocess.Popen(["php", "-c", ini, "-S", "127.0.0.1:%d" % port, "-t", args.root],
                               stdin=subprocess.DEVNULL, stdout=log, stderr=log, preexec_fn=die_with_parent)
        deadline = time.monotonic() + 10
        while php.poll() is None and not answers(port) and time.monotonic() < deadline:
            time.sleep(0.05)
        if php.poll() is None and answers(port):
            break
        if php.poll() is None:
            php.kill()
        php.wait()
        php = None
    if php is None:
        sys.stderr.write("php -S did not start (see %s)\n" % os.path.join(work, "php-server.log"))
        return 1

    def stop(*_):
        if php.poll() is None:
            php.terminate()
            try:
                php.wait(5)
            except subprocess.TimeoutExpired:
                php.kill()
        sys.exit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    tmp = args.port_file + ".part"
    with open(tmp, "w") as f:
        f.write("%d\n" % port)
    os.replace(tmp, args.port_file)
    php.wait()
    return php.returncode


if __name__ == "__main__":
    sys.exit(main())
