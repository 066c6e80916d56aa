"""vsftpd on 127.0.0.1: FTP and explicit FTPS (AUTH TLS) on one port, passive and
active, logging in a throw-away system user through PAM. Needs root.

Usage: vsftpd_server.py [--port PORT] [--cert PEM --key PEM]
Without --cert a self-signed certificate is made; --port asks for that port (a
server started again where clients knew it).
The user's home (the upload root, chrooted) is WORKDIR/home. READY carries port,
user, password, home, certificate (PEM path of the server's certificate) and log
(vsftpd's protocol log).
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port", type=int, default=0)
    p.add_argument("--cert")
    p.add_argument("--key")
    args = p.parse_args()
    work = common.work_folder()
    home = os.path.join(work, "home")
    user = common.ThrowAwayUser(home)
    process = None
    try:
        cert, key = (args.cert, args.key) if args.cert else common.make_certificate(work)
        port = args.port or common.free_port()
        log = os.path.join(work, "vsftpd.log")
        os.makedirs("/var/run/vsftpd/empty", exist_ok=True)
        config = os.path.join(work, "vsftpd.conf")
        with open(config, "w") as f:
            f.write(f"""listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port={port}
background=NO
anonymous_enable=NO
local_enable=YES
write_enable=YES
local_umask=022
chroot_local_user=YES
allow_writeable_chroot=YES
pam_service_name=vsftpd
userlist_enable=NO
seccomp_sandbox=NO
pasv_enable=YES
pasv_address=127.0.0.1
port_enable=YES
connect_from_port_20=NO
ssl_enable=YES
allow_anon_ssl=NO
force_local_logins_ssl=NO
force_local_data_ssl=NO
ssl_tlsv1=NO
ssl_sslv2=NO
ssl_sslv3=NO
require_ssl_reuse=NO
ssl_ciphers=HIGH
rsa_cert_file={cert}
rsa_private_key_file={key}
xferlog_enable=YES
xferlog_std_format=NO
log_ftp_protocol=YES
vsftpd_log_file={log}
dual_log_enable=NO
syslog_enable=NO
max_clients=50
max_per_ip=50
idle_session_timeout=120
delay_failed_login=0
delay_successful_login=0
""")
        process = common.start_daemon(work, ["/usr/sbin/vsftpd", config], port, "vsftpd")
        common.ready(port=port, user=user.name, password=user.password, home=home,
                     certificate=cert, log=log)
        common.wait_for_end()
    finally:
        common.clean_up(process, user, work)


if __name__ == "__main__":
    main()
