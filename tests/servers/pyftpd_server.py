"""Plain FTP server (pyftpdlib) on 127.0.0.1 with faults on request.

Usage: pyftpd_server.py ROOT [--drop-after NAME] [--refuse NAME] [--full-disk NAME]
                             [--truncate NAME] [--log FILE]

--drop-after NAME  once NAME has arrived, closes the control connection at the
                   next command (once), before anything confirms the file
--refuse NAME      answers 550 to storing NAME
--full-disk NAME   answers 452 to storing NAME and every file after it
--truncate NAME    keeps only half of NAME yet answers 226, as a broken server would
--log FILE         one line per command received ("STOR name", "MKD path", …)
READY carries port, user and password.
"""
import argparse
import os
import secrets
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402

from pyftpdlib.authorizers import DummyAuthorizer  # noqa: E402
from pyftpdlib.handlers import FTPHandler  # noqa: E402
from pyftpdlib.servers import FTPServer  # noqa: E402

import logging  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--drop-after")
    parser.add_argument("--refuse")
    parser.add_argument("--full-disk")
    parser.add_argument("--truncate")
    parser.add_argument("--log")
    options = parser.parse_args()

    logging.basicConfig(level=logging.CRITICAL)
    user, password = "tester", "pw-" + secrets.token_hex(6)
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, options.root, perm="elradfmwMT")
    log = open(options.log, "a", buffering=1) if options.log else None
    state = {"full": False, "dropped": False}

    class Handler(FTPHandler):
        def pre_process_command(self, line, cmd, arg):
            if log and cmd not in ("PASS",):
                log.write(f"{cmd} {arg or ''}".rstrip() + "\n")
            if state.get("drop_now"):
                state["drop_now"] = False
                self.close()
                return
            return super().pre_process_command(line, cmd, arg)

        def ftp_STOR(self, file, mode="w"):
            name = os.path.basename(file)
            if options.refuse and name == options.refuse:
                self.respond("550 Permission denied.")
                return
            if options.full_disk and (state["full"] or name == options.full_disk):
                state["full"] = True
                self.respond("452 Insufficient storage space.")
                return
            return super().ftp_STOR(file, mode)

        def on_file_received(self, file):
            name = os.path.basename(file)
            if options.truncate and name == options.truncate:
                size = os.path.getsize(file)
                with open(file, "r+b") as f:
                    f.truncate(size // 2)
            if options.drop_after and name == options.drop_after and not state["dropped"]:
                state["dropped"] = True
                state["drop_now"] = True

    Handler.authorizer = authorizer
    Handler.permit_foreign_addresses = False
    Handler.banner = "test server ready"
    server = FTPServer(("127.0.0.1", 0), Handler)
    port = server.socket.getsockname()[1]
    common.end_with_stdin(lambda: os._exit(0))
    common.ready(port=port, user=user, password=password)
    server.serve_forever(timeout=0.2, handle_exit=False)


if __name__ == "__main__":
    main()
