"""Shared pieces of the test servers: free ports, the test certificate, a throw-away
system user, and the READY line the tests wait for.

Every server script prints one line "READY <json>" on stdout once it accepts
connections, then runs until its standard input closes (the test ended), and cleans
up after itself.
"""
import json
import os
import pwd
import secrets
import socket
import subprocess
import sys
import tempfile
import threading
import time


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_port(port, timeout=10.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return True
        except OSError:
            time.sleep(0.05)
    return False


def make_certificate(folder, name="server"):
    """A self-signed certificate naming 127.0.0.1 (and localhost); returns the paths."""
    cert = os.path.join(folder, name + ".crt")
    key = os.path.join(folder, name + ".key")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
         "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1",
         "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost"],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.chmod(key, 0o600)
    return cert, key


class ThrowAwayUser:
    """A system user with a random name and password, its home in the given folder;
    removed again by remove()."""

    def __init__(self, home):
        if os.geteuid() != 0:
            raise SystemExit("the test servers need root to create their user")
        self.name = "zovt" + secrets.token_hex(4)
        self.password = "pw-" + secrets.token_hex(6)
        self.home = home
        subprocess.run(["useradd", "--no-create-home", "--home-dir", home, "--shell", "/bin/bash",
                        "--no-user-group", "--gid", "nogroup", self.name], check=True)
        subprocess.run(["chpasswd"], input=f"{self.name}:{self.password}\n", text=True, check=True)
        entry = pwd.getpwnam(self.name)
        self.uid, self.gid = entry.pw_uid, entry.pw_gid
        os.makedirs(home, exist_ok=True)
        os.chown(home, self.uid, self.gid)
        os.chmod(home, 0o755)

    def remove(self):
        subprocess.run(["userdel", "--force", self.name], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)


def work_folder():
    """A fresh folder that the throw-away user can reach (the tests' own temporary
    folders are closed to other users)."""
    folder = tempfile.mkdtemp(prefix="zov-server-")
    os.chmod(folder, 0o755)
    return folder


def ready(**info):
    sys.stdout.write("READY " + json.dumps(info) + "\n")
    sys.stdout.flush()


def wait_for_end():
    """Blocks until the test closes our standard input."""
    try:
        while sys.stdin.read(4096):
            pass
    except (OSError, ValueError):
        pass


def end_with_stdin(callback):
    """Calls callback (from another thread) when standard input closes."""
    def watch():
        wait_for_end()
        callback()
    threading.Thread(target=watch, daemon=True).start()
