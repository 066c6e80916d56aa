#!/usr/bin/python3
"""Reads the messages the SMTP test server stored and prints them as JSON.

  read_mail.py DIR   ->  [{"envelope": {...}, "headers": {...}, "parts": [...]}, ...]

Headers are decoded the way a mail program shows them; each leaf part gives its
type, Content-ID, file name and its decoded content (text, or the bytes as hex).
Raw header lines are kept too so a test can check folding and absent fields.
"""
import email
import email.policy
import json
import os
import sys


def main():
    folder = sys.argv[1]
    numbers = sorted(int(n[:-5]) for n in os.listdir(folder) if n.endswith(".json"))
    out = []
    for n in numbers:
        with open(os.path.join(folder, "%d.json" % n)) as f:
            envelope = json.load(f)
        with open(os.path.join(folder, "%d.eml" % n), "rb") as f:
            raw = f.read()
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        head = raw.split(b"\r\n\r\n", 1)[0].decode("ascii", "replace")
        headers = {k: str(v) for k, v in msg.items()}
        parts = []
        for part in msg.walk():
            if part.is_multipart():
                parts.append({"type": part.get_content_type()})
                continue
            entry = {"type": part.get_content_type(),
                     "cid": part.get("Content-ID"),
                     "filename": part.get_filename()}
            if part.get_content_maintype() == "text":
                entry["text"] = part.get_content()
            else:
                entry["hex"] = part.get_payload(decode=True).hex()
            parts.append(entry)
        out.append({"envelope": envelope, "headers": headers, "rawHead": head,
                    "defects": [str(d) for d in msg.defects], "parts": parts})
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main()
