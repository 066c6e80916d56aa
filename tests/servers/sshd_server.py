"""OpenSSH's sshd on 127.0.0.1 serving SFTP (internal-sftp) with a throw-away host key,
logging in a throw-away system user by password or by a user key. Needs root.

Usage: sshd_server.py
READY carries port, user, password, home (the login folder), key (the user's private
key; its public half beside it as .pub), hostkey (the server's public host key line)
and log (sshd's log, with one line per file the SFTP service opens).
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402


def main():
    work = common.work_folder()
    home = os.path.join(work, "home")
    user = common.ThrowAwayUser(home)
    process = None
    try:
        hostkey = os.path.join(work, "ssh_host_ed25519_key")
        userkey = os.path.join(work, "user_key")
        for path in (hostkey, userkey):
            subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", path], check=True)
        keys = os.path.join(work, "authorized_keys")
        with open(userkey + ".pub") as source, open(keys, "w") as target:
            target.write(source.read())
        os.chmod(keys, 0o644)
        os.chmod(userkey, 0o600)
        port = common.free_port()
        log = os.path.join(work, "sshd.log")
        config = os.path.join(work, "sshd_config")
        with open(config, "w") as f:
            f.write(f"""Port {port}
ListenAddress 127.0.0.1
HostKey {hostkey}
PidFile {work}/sshd.pid
AuthorizedKeysFile {keys}
StrictModes no
UsePAM no
PasswordAuthentication yes
KbdInteractiveAuthentication no
PubkeyAuthentication yes
PermitRootLogin no
AllowUsers {user.name}
Subsystem sftp internal-sftp -l INFO
LogLevel INFO
MaxStartups 50
""")
        os.makedirs("/run/sshd", exist_ok=True)
        process = common.start_daemon(work, ["/usr/sbin/sshd", "-D", "-f", config, "-E", log], port, "sshd")
        with open(hostkey + ".pub") as f:
            public = f.read().strip()
        common.ready(port=port, user=user.name, password=user.password, home=home,
                     key=userkey, hostkey=public, log=log)
        common.wait_for_end()
    finally:
        common.clean_up(process, user, work)


if __name__ == "__main__":
    main()
