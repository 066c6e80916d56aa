#!/usr/bin/env python3
"""Installs the program into a temporary prefix and checks what a desktop reads
there: one valid desktop entry per edition that starts that edition, its icon,
and the page file types that shared-mime-info builds into its database."""
import argparse
import configparser
import json
import pathlib
import shlex
import subprocess
import sys
import tempfile


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--editions", required=True)
    args = parser.parse_args()

    table = json.loads(pathlib.Path(args.editions).read_text())
    expected = {"Zov"} | {e["key"] for e in table["editions"]}
    failures = []
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run(["cmake", "--install", args.build, "--prefix", prefix], check=True,
                       stdout=subprocess.DEVNULL)
        share = pathlib.Path(prefix, "share")
        entries = sorted(share.glob("applications/*.desktop"))
        result = subprocess.run(["desktop-file-validate", *map(str, entries)], capture_output=True, text=True)
        if result.returncode != 0 or result.stdout.strip():
            failures.append("desktop-file-validate: " + result.stdout + result.stderr)

        names = set()
        types = set()
        for entry in entries:
            config = configparser.RawConfigParser(interpolation=None, strict=False)
            config.optionxform = str
            config.read(entry, encoding="utf-8")
            group = config["Desktop Entry"]
            name = group["Name"]
            names.add(name)
            argv = shlex.split(group["Exec"])
            wanted = ["zov", "%F"] if name == "Zov" else ["zov", "--edition", name, "%F"]
            if argv != wanted:
                failures.append(f"{entry.name}: Exec {argv} should be {wanted}")
            icon = share / "icons/hicolor/256x256/apps" / (group["Icon"] + ".png")
            if not icon.is_file():
                failures.append(f"{entry.name}: no icon {icon}")
            mime = group.get("MimeType", "").strip(";")
            if not mime:
                failures.append(f"{entry.name}: opens no page type")
            types.update(t for t in mime.split(";") if t)
        if names != expected:
            failures.append(f"editions without an entry: {sorted(expected - names)}; unknown: {sorted(names - expected)}")

        subprocess.run(["update-mime-database", str(share / "mime")], check=True, capture_output=True)
        globs = (share / "mime/globs2").read_text()
        for mime in sorted(types):
            if f":{mime}:" not in globs:
                failures.append(f"{mime} is not in the built MIME database")
        extensions = {e.get("settings", {}).get("gDocumentExtension") for e in table["editions"]} - {None}
        for extension in sorted(extensions):
            if f":*.{extension}" not in globs:
                failures.append(f"*.{extension} is not a known page type")
        if not (pathlib.Path(prefix, "bin/zov").is_file()):
            failures.append("bin/zov was not installed")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(entries)} desktop entries, {len(types)} page types checked")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
