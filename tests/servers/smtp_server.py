#!/usr/bin/python3
"""A small SMTP server for the mail tests, on 127.0.0.1 and a free port.

Each accepted message is stored as DIR/<n>.eml, then DIR/<n>.json with the
envelope ({"from": ..., "to": [...], "auth": user or null}); the JSON file is
written last, so its presence means the message is complete.

  --port-file PATH        the port is written here once the server listens
  --mail-dir DIR          where messages are stored
  --tls none|starttls|implicit
  --cert FILE --key FILE  the server's certificate (needed for starttls/implicit)
  --auth USER:PASSWORD    offer AUTH PLAIN/LOGIN (also without TLS) and require it
  --refuse ADDRESS        answer 550 at RCPT for this address (repeatable)
  --refuse-sender ADDRESS answer 553 at MAIL FROM for this address (repeatable)
  --max-recipients N      answer 452 to recipients past N in one transaction
  --drop-at-quit          close the connection without answering QUIT
  --drop-at-rcpt N        close the connection instead of answering the Nth RCPT

Stops cleanly on SIGTERM or SIGINT.
"""
import argparse
import asyncio
import json
import logging
import os
import signal
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def parse_args():
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--mail-dir", required=True)
    p.add_argument("--tls", choices=["none", "starttls", "implicit"], default="none")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--auth")
    p.add_argument("--refuse", action="append", default=[])
    p.add_argument("--refuse-sender", action="append", default=[])
    p.add_argument("--max-recipients", type=int, default=0)
    p.add_argument("--drop-at-quit", action="store_true")
    p.add_argument("--drop-at-rcpt", type=int, default=0)
    args = p.parse_args()
    if args.tls != "none" and not (args.cert and args.key):
        p.error("--tls %s needs --cert and --key" % args.tls)
    if args.auth and ":" not in args.auth:
        p.error("--auth wants USER:PASSWORD")
    return args


def write_atomically(path, data):
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


class Handler:
    def __init__(self, args):
        self.mail_dir = args.mail_dir
        self.refused = {a.strip().lower() for a in args.refuse}
        self.refused_senders = {a.strip().lower() for a in args.refuse_sender}
        self.max_recipients = args.max_recipients
        self.drop_at_rcpt = args.drop_at_rcpt
        self.count = 0

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if address.lower() in self.refused_senders:
            return "553 5.7.1 <%s>: Sender address rejected" % address
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 2.1.0 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        session.rcpt_seen = getattr(session, "rcpt_seen", 0) + 1
        if self.drop_at_rcpt and session.rcpt_seen == self.drop_at_rcpt:
            server.transport.abort()
            return "421 4.3.0 Closing"
        if address.lower() in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        if self.max_recipients and len(envelope.rcpt_tos) >= self.max_recipients:
            return "452 4.5.3 Too many recipients"
        envelope.rcpt_tos.append(address)
        return "250 2.1.5 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.mail_dir, str(self.count))
        data = envelope.original_content or envelope.content
        if isinstance(data, str):
            data = data.encode("utf-8", "surrogateescape")
        write_atomically(base + ".eml", data)
        user = None
        if session.authenticated and isinstance(session.auth_data, LoginPassword):
            user = session.auth_data.login.decode("utf-8", "replace")
        meta = {"from": envelope.mail_from, "to": list(envelope.rcpt_tos), "auth": user}
        write_atomically(base + ".json", json.dumps(meta).encode("utf-8"))
        return "250 2.0.0 Message accepted"


class DroppingSMTP(SMTP):
    """Takes the message, then hangs up instead of answering QUIT."""

    async def smtp_QUIT(self, arg):
        self._handler_coroutine.cancel()
        self.transport.abort()


def make_authenticator(spec):
    user, password = spec.split(":", 1)

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login.decode("utf-8", "replace") == user
              and auth_data.password.decode("utf-8", "replace") == password)
        # handled=False lets the server answer 535 itself on a wrong password.
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)

    return authenticate


async def main():
    # AUTH without TLS is wanted here (the PHP mailer tests); keep the log quiet.
    warnings.simplefilter("ignore")
    # Broken handshakes and dropped connections are what the tests provoke.
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    args = parse_args()
    os.makedirs(args.mail_dir, exist_ok=True)
    context = None
    if args.tls != "none":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    handler = Handler(args)
    cls = DroppingSMTP if args.drop_at_quit else SMTP
    loop = asyncio.get_running_loop()

    def factory():
        kwargs = dict(hostname="localhost", timeout=30, data_size_limit=0, loop=loop)
        if args.tls == "starttls":
            kwargs["tls_context"] = context
        if args.auth:
            kwargs.update(authenticator=make_authenticator(args.auth),
                          auth_required=True, auth_require_tls=False)
        return cls(handler, **kwargs)

    server = await loop.create_server(
        factory, host="127.0.0.1", port=0,
        ssl=context if args.tls == "implicit" else None)
    port = server.sockets[0].getsockname()[1]

    stop = loop.create_future()
    for sig in (signal.SIGTERM, signal.SIGINT):
        loop.add_signal_handler(sig, lambda: stop.done() or stop.set_result(None))

    write_atomically(args.port_file, ("%d\n" % port).encode())
    await stop
    server.close()
    await server.wait_closed()


if __name__ == "__main__":
    asyncio.run(main())
    sys.exit(0)
