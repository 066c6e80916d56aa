#!/usr/bin/python3
"""Starts the real zov of every edition, offscreen and under an X server it
starts itself, and fails on any warning or critical line it prints. Each
welcome window's picture is kept in the output folder. With --menu-audit it
also asks each edition which visible menu items no part of the program
answers, and fails on any not yet listed as pending."""
import argparse
import concurrent.futures
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

PATTERN = "%{type}: %{category}: %{message}"
# The offscreen platform cannot pass window size hints on; that is not ours.
ALWAYS_ALLOWED = ["propagateSizeHints()"]


def editions(table_path):
    with open(table_path, encoding="utf-8") as f:
        table = json.load(f)
    return [""] + [entry["key"] for entry in table["editions"]]


def slug(name):
    return "".join(c if c.isalnum() else "_" for c in name) or "default"


def lines_of(path):
    if not path or not os.path.exists(path):
        return []
    with open(path, encoding="utf-8") as f:
        return [l.strip() for l in f if l.strip() and not l.startswith("#")]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if len(head) < 24 or head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def start_x_server():
    xvfb = shutil.which("Xvfb")
    if not xvfb:
        sys.exit("app_launch: Xvfb is missing (apt-get install xvfb)")
    read_end, write_end = os.pipe()
    server = subprocess.Popen([xvfb, "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            server.kill()
            sys.exit("app_launch: Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.decode().strip()


def run(zov, edition, platform, display, home, extra_env, timeout=60):
    env = dict(os.environ)
    for key in ("QT_LOGGING_RULES", "QT_DEBUG_PLUGINS"):
        env.pop(key, None)
    env.update({"QT_MESSAGE_PATTERN": PATTERN, "QT_QPA_PLATFORM": platform,
                "XDG_CONFIG_HOME": os.path.join(home, "config"), "XDG_CACHE_HOME": os.path.join(home, "cache"),
                "XDG_DATA_HOME": os.path.join(home, "data"), "XDG_RUNTIME_DIR": os.path.join(home, "runtime")})
    if display:
        env["DISPLAY"] = display
    env.update(extra_env)
    args = [zov] + (["--edition", edition] if edition else [])
    try:
        done = subprocess.run(args, env=env, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, ["timed out after %d s" % timeout]
    return done.returncode, done.stderr.splitlines() + done.stdout.splitlines()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zov", required=True)
    parser.add_argument("--editions", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--allowed", help="file of message parts that do not fail the run")
    parser.add_argument("--menu-audit", help="file of actions whose handlers are still to come")
    parser.add_argument("--audit-only", action="store_true", help="only the menu audit")
    parser.add_argument("--write-pending", action="store_true", help="write every action found into the pending file")
    parser.add_argument("--only", help="one edition")
    options = parser.parse_args()

    allowed = ALWAYS_ALLOWED + lines_of(options.allowed)
    os.makedirs(options.out, exist_ok=True)
    home = tempfile.mkdtemp(prefix="zov-launch-")
    os.makedirs(os.path.join(home, "runtime"), mode=0o700)
    names = [options.only] if options.only is not None else editions(options.editions)
    failures = []
    server, display = start_x_server() if not options.audit_only else (None, None)
    try:
        platforms = [] if options.audit_only else [("offscreen", None), ("xcb", display)]

        def launch(job):
            platform, shown, name = job
            label = "%s (%s)" % (name or "default edition", platform)
            picture = os.path.join(options.out, "welcome-%s-%s.png" % (platform, slug(name)))
            if os.path.exists(picture):
                os.remove(picture)
            # Each launch has a home of its own, so launches side by side share no settings file.
            own_home = tempfile.mkdtemp(prefix="run-", dir=home)
            os.makedirs(os.path.join(own_home, "runtime"), mode=0o700)
            code, lines = run(options.zov, name, platform, shown, own_home, {"ZOV_WELCOME_SCREENSHOT": picture})
            problems = []
            bad = [l for l in lines if l.split(":", 1)[0] in ("warning", "critical", "fatal")
                   and not any(part in l for part in allowed)]
            if code != 0:
                problems.append("%s: exit code %s %s" % (label, code, " | ".join(lines[-3:])))
            problems += ["%s: %s" % (label, line) for line in bad]
            size = png_size(picture) if os.path.exists(picture) else None
            if not size or size[0] < 300 or size[1] < 200:
                problems.append("%s: no welcome window picture (%s)" % (label, size))
            return label, problems

        jobs = [(platform, shown, name) for platform, shown in platforms for name in names]
        with concurrent.futures.ThreadPoolExecutor(max_workers=3) as pool:
            for label, problems in pool.map(launch, jobs):
                print("%-60s %s" % (label, "FAILED" if problems else "ok"), flush=True)
                failures += problems

        if options.menu_audit is not None:
            pending = set(lines_of(options.menu_audit))
            seen = set()
            for name in names:
                report = os.path.join(home, "audit.txt")
                if os.path.exists(report):
                    os.remove(report)
                code, lines = run(options.zov, name, "offscreen", None, home, {"ZOV_MENU_AUDIT": report})
                offenders = lines_of(report)
                if code != 0 or not os.path.exists(report):
                    failures.append("%s: the menu audit did not run (%s)" % (name or "default edition", code))
                for item in offenders:
                    action = item[item.rfind("(") + 1:-1]
                    seen.add(action)
                    if action not in pending:
                        failures.append("%s: visible item without a handler: %s" % (name or "default edition", item))
            if options.write_pending:
                with open(options.menu_audit, "w", encoding="utf-8") as f:
                    f.write("# Actions of visible menu items whose handlers come with other parts of the program.\n"
                            "# The menu audit tolerates these; take a line out once its action is answered.\n")
                    f.write("\n".join(sorted(seen)) + "\n")
                failures = [f for f in failures if "without a handler" not in f]
                pending = seen
            stale = sorted(pending - seen)
            if stale:
                print("answered now, take off the pending list: " + " ".join(stale))
            print("menu items still waiting for their handlers: %d actions" % len(pending & seen))
    finally:
        if server:
            server.kill()
            server.wait()
        shutil.rmtree(home, ignore_errors=True)

    if failures:
        print("\n".join(failures))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
