"""Shared pieces of the test servers: free ports, the test certificate, a throw-away
system user, and the READY line the tests wait for.

Every server script prints one line "READY <json>" on stdout once it accepts
connections, then runs until its standard input closes (the test ended), and cleans
up after itself.
"""
import json
import os
import pwd
import glob
import secrets
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time


# A server stopped by a signal still removes its user and folders: the handlers turn
# the signal into SystemExit, which runs the scripts' finally blocks.
def _stop(signum, frame):
    raise SystemExit(128 + signum)


for _signal in (signal.SIGTERM, signal.SIGHUP):
    signal.signal(_signal, _stop)


def sweep_stale():
    """Removes the users and folders of servers whose process died without cleaning up
    (killed outright): each work folder names its owner's process id."""
    for folder in glob.glob(os.path.join(tempfile.gettempdir(), "zov-server-*")):
        try:
            with open(os.path.join(folder, "owner")) as f:
                pid_text, user = f.read().split()
            pid = int(pid_text)
        except (OSError, ValueError):
            continue
        try:
            os.kill(pid, 0)
            continue  # still running
        except ProcessLookupError:
            pass
        except PermissionError:
            continue
        try:
            with open(os.path.join(folder, "daemon")) as f:
                os.kill(int(f.read().strip()), signal.SIGKILL)
        except (OSError, ValueError):
            pass
        subprocess.run(["pkill", "-KILL", "-u", user], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["userdel", "--force", user], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shutil.rmtree(folder, ignore_errors=True)


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
        sweep_stale()
        self.name = "zovt" + secrets.token_hex(4)
        self.password = "pw-" + secrets.token_hex(6)
        self.home = home
        with open(os.path.join(os.path.dirname(home), "owner"), "w") as f:
            f.write(f"{os.getpid()} {self.name}\n")
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


def note_daemon(work, process):
    """Remembers the daemon's process id, for sweep_stale()."""
    with open(os.path.join(work, "daemon"), "w") as f:
        f.write(f"{process.pid}\n")


def start_daemon(work, command, port, name):
    """Starts a daemon that stays in the foreground, remembers it for sweep_stale()
    and waits until it accepts connections on port."""
    process = subprocess.Popen(command, stdin=subprocess.DEVNULL)
    note_daemon(work, process)
    if not wait_for_port(port):
        stop_daemon(process)
        raise SystemExit(name + " did not start")
    return process


def stop_daemon(process):
    """Asks the daemon to stop, and kills it when it has not within five seconds."""
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(5)
    except subprocess.TimeoutExpired:
        process.kill()


def clean_up(process, user, work):
    """Stops the daemon (when it was started), then every process left running as the
    user (sessions the daemon forked may outlive it), removes the user and the folder."""
    if process:
        stop_daemon(process)
    subprocess.run(["pkill", "-KILL", "-u", user.name], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    user.remove()
    shutil.rmtree(work, ignore_errors=True)


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
