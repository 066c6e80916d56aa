#!/usr/bin/python3
"""A stand-in for the Dropbox HTTP API v2 for the picture-hosting tests, on 127.0.0.1.

  --port-file PATH      the port is written here once the server listens
  --files-dir DIR       where uploaded files are kept (DIR/<path inside the app folder>)
  --app-key KEY         the client_id sign-in must name
  --cert FILE --key FILE  serve over TLS (the tests trust the certificate)
  --log FILE            one JSON line per request: {"path", "status", "arg"}
  --token-lifetime S    access tokens expire after S seconds (default 14400)
  --rate-limit N        the first N calls to /2/files/upload answer 429 (Retry-After: 1)
  --short-size          upload metadata reports one byte less than was received
  --bare-conflict       shared_link_already_exists answers carry no link metadata
                        (clients must then list the links)

Endpoints, on one base address for all three Dropbox hosts:
  GET  /oauth2/authorize   (client_id, response_type=code, code_challenge,
                            code_challenge_method=S256, token_access_type=offline)
                           -> an HTML page showing the code in <code id="code">
  POST /oauth2/token       authorization_code with code_verifier (PKCE, no secret),
                           or refresh_token -> token JSON
  POST /2/files/upload     Dropbox-API-Arg {"path", "mode", ...}, octet-stream body
  POST /2/sharing/create_shared_link_with_settings   409 shared_link_already_exists
                           when the path has a link already
  POST /2/sharing/list_shared_links
  POST /2/auth/token/revoke
Wrong or expired tokens get 401 with the documented error JSON. Stops on SIGTERM.
"""
import argparse
import base64
import hashlib
import html
import json
import os
import secrets
import signal
import ssl
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


class State:
    def __init__(self, args):
        self.args = args
        self.lock = threading.Lock()
        self.codes = {}      # code -> challenge
        self.access = {}     # token -> expiry
        self.refresh = set()
        self.links = {}      # path_lower -> url
        self.rate_left = args.rate_limit


def write_atomically(path, data):
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def make_handler(state):
    args = state.args

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *a):
            pass

        def note(self, status, arg=None):
            if args.log:
                with state.lock, open(args.log, "a") as f:
                    f.write(json.dumps({"path": self.path.split("?")[0], "status": status, "arg": arg}) + "\n")

        def reply(self, status, body, content_type="application/json", headers=None, arg=None):
            data = body if isinstance(body, bytes) else (
                json.dumps(body).encode() if content_type == "application/json" else body.encode())
            self.send_response(status)
            self.send_header("Content-Type", content_type)
            self.send_header("Content-Length", str(len(data)))
            for k, v in (headers or {}).items():
                self.send_header(k, v)
            self.end_headers()
            self.wfile.write(data)
            self.note(status, arg)

        def error(self, status, tag, summary=None, extra=None):
            body = {"error_summary": (summary or tag) + "/..", "error": dict({".tag": tag}, **(extra or {}))}
            self.reply(status, body)

        def body(self):
            length = int(self.headers.get("Content-Length") or 0)
            return self.rfile.read(length) if length else b""

        def authorised(self):
            auth = self.headers.get("Authorization", "")
            if not auth.startswith("Bearer "):
                self.error(401, "invalid_access_token")
                return False
            token = auth[7:]
            with state.lock:
                expiry = state.access.get(token)
            if expiry is None:
                self.error(401, "invalid_access_token")
                return False
            if expiry < time.time():
                self.error(401, "expired_access_token")
                return False
            return True

        def issue_tokens(self, with_refresh):
            token = "sl." + secrets.token_urlsafe(24)
            with state.lock:
                state.access[token] = time.time() + args.token_lifetime
            reply = {"access_token": token, "token_type": "bearer", "expires_in": args.token_lifetime,
                     "account_id": "dbid:double", "uid": "1", "scope": "files.content.write sharing.write"}
            if with_refresh:
                refresh = secrets.token_urlsafe(32)
                with state.lock:
                    state.refresh.add(refresh)
                reply["refresh_token"] = refresh
            return reply

        def do_GET(self):
            url = urllib.parse.urlparse(self.path)
            if url.path != "/oauth2/authorize":
                return self.reply(404, "not found", "text/plain")
            q = dict(urllib.parse.parse_qsl(url.query))
            if (q.get("client_id") != args.app_key or q.get("response_type") != "code"
                    or q.get("code_challenge_method") != "S256" or not q.get("code_challenge")):
                return self.reply(400, "invalid authorize request", "text/plain", arg=q)
            code = secrets.token_urlsafe(16)
            with state.lock:
                state.codes[code] = q["code_challenge"]
            page = "<html><body><p>Enter this code into the app:</p><code id=\"code\">%s</code></body></html>" % html.escape(code)
            self.reply(200, page, "text/html; charset=utf-8", arg=q)

        def do_POST(self):
            path = urllib.parse.urlparse(self.path).path
            if path == "/oauth2/token":
                return self.token()
            if path == "/2/files/upload":
                return self.upload()
            data = self.body()
            if path == "/2/auth/token/revoke":
                if not self.authorised():
                    return
                with state.lock:
                    state.access.pop(self.headers["Authorization"][7:], None)
                return self.reply(200, b"null")
            try:
                arg = json.loads(data or b"null")
            except ValueError:
                return self.reply(400, "Error in call to API function: request body could not be decoded as JSON", "text/plain")
            if not self.authorised():
                return
            if path == "/2/sharing/create_shared_link_with_settings":
                key = str(arg.get("path", "")).lower()
                if not os.path.isfile(self.local(key)):
                    return self.error(409, "path", "path/not_found", {"path": {".tag": "not_found"}})
                with state.lock:
                    existing = state.links.get(key)
                    if existing is None:
                        state.links[key] = self.link_for(key)
                if existing is not None:
                    extra = {} if args.bare_conflict else {
                        "shared_link_already_exists": {".tag": "metadata", "metadata": self.link_metadata(key, existing)}}
                    return self.error(409, "shared_link_already_exists", "shared_link_already_exists/", extra)
                return self.reply(200, self.link_metadata(key, state.links[key]), arg=arg)
            if path == "/2/sharing/list_shared_links":
                key = str(arg.get("path", "")).lower()
                with state.lock:
                    url = state.links.get(key)
                links = [self.link_metadata(key, url)] if url else []
                return self.reply(200, {"links": links, "has_more": False}, arg=arg)
            self.reply(404, "unknown endpoint", "text/plain")

        def local(self, path_lower):
            return os.path.join(args.files_dir, path_lower.lstrip("/"))

        def link_for(self, key):
            return "https://www.dropbox.com/scl/fi/%s/%s?rlkey=%s&dl=0" % (
                secrets.token_hex(8), urllib.parse.quote(os.path.basename(key)), secrets.token_hex(6))

        def link_metadata(self, key, url):
            return {".tag": "file", "url": url, "name": os.path.basename(key), "path_lower": key,
                    "link_permissions": {"can_revoke": True}, "id": "id:" + hashlib.sha1(key.encode()).hexdigest()[:12]}

        def token(self):
            form = dict(urllib.parse.parse_qsl(self.body().decode()))
            grant = form.get("grant_type")
            if form.get("client_id") != args.app_key:
                return self.reply(400, {"error": "invalid_client", "error_description": "unknown client_id"}, arg=form)
            if grant == "authorization_code":
                with state.lock:
                    challenge = state.codes.pop(form.get("code", ""), None)
                verifier = form.get("code_verifier", "")
                expected = base64.urlsafe_b64encode(hashlib.sha256(verifier.encode()).digest()).rstrip(b"=").decode()
                if challenge is None or expected != challenge:
                    return self.reply(400, {"error": "invalid_grant", "error_description": "code or verifier wrong"}, arg=form)
                return self.reply(200, self.issue_tokens(True), arg={"grant_type": grant})
            if grant == "refresh_token":
                with state.lock:
                    known = form.get("refresh_token") in state.refresh
                if not known:
                    return self.reply(400, {"error": "invalid_grant", "error_description": "refresh token is malformed"}, arg=form)
                return self.reply(200, self.issue_tokens(False), arg={"grant_type": grant})
            self.reply(400, {"error": "unsupported_grant_type"}, arg=form)

        def upload(self):
            data = self.body()
            if not self.authorised():
                return
            try:
                arg = json.loads(self.headers.get("Dropbox-API-Arg", ""))
            except ValueError:
                return self.reply(400, "Error in call to API function \"files/upload\": Bad HTTP \"Dropbox-API-Arg\" header", "text/plain")
            if self.headers.get("Content-Type") != "application/octet-stream":
                return self.reply(400, "Error in call to API function \"files/upload\": Bad HTTP \"Content-Type\" header", "text/plain", arg=arg)
            with state.lock:
                limited = state.rate_left > 0
                if limited:
                    state.rate_left -= 1
            if limited:
                return self.reply(429, {"error_summary": "too_many_requests/..",
                                        "error": {"reason": {".tag": "too_many_requests"}, "retry_after": 1}},
                                  headers={"Retry-After": "1"}, arg=arg)
            path = str(arg.get("path", ""))
            if not path.startswith("/") or path.endswith("/") or "//" in path or "/../" in path + "/":
                return self.error(409, "path", "path/malformed_path", {"reason": {".tag": "malformed_path"}})
            key = path.lower()
            target = self.local(key)
            mode = arg.get("mode", "add")
            mode = mode.get(".tag") if isinstance(mode, dict) else mode
            if os.path.exists(target) and mode != "overwrite":
                return self.error(409, "path", "path/conflict/file", {"reason": {".tag": "conflict"}})
            os.makedirs(os.path.dirname(target), exist_ok=True)
            write_atomically(target, data)
            size = len(data) - (1 if args.short_size and data else 0)
            now = time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime())
            self.reply(200, {"name": os.path.basename(path), "path_lower": key, "path_display": path,
                             "id": "id:" + hashlib.sha1(key.encode()).hexdigest()[:12], "size": size,
                             "rev": secrets.token_hex(8), "client_modified": now, "server_modified": now,
                             "content_hash": hashlib.sha256(data).hexdigest()}, arg=arg)

    return Handler


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--files-dir", required=True)
    p.add_argument("--app-key", default="testkey")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--log")
    p.add_argument("--token-lifetime", type=int, default=14400)
    p.add_argument("--rate-limit", type=int, default=0)
    p.add_argument("--short-size", action="store_true")
    p.add_argument("--bare-conflict", action="store_true")
    args = p.parse_args()
    os.makedirs(args.files_dir, exist_ok=True)
    server = ThreadingHTTPServer(("127.0.0.1", 0), make_handler(State(args)))
    server.daemon_threads = True
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
        # The handshake happens in the request thread, so one slow client holds up no other.
        server.socket = context.wrap_socket(server.socket, server_side=True, do_handshake_on_connect=False)
    signal.signal(signal.SIGTERM, lambda *a: threading.Thread(target=server.shutdown).start())
    write_atomically(args.port_file, ("%d\n" % server.server_address[1]).encode())
    server.serve_forever()
    server.server_close()


if __name__ == "__main__":
    main()
