"""A web server on 127.0.0.1 over http and https (the test certificate), serving a
folder, plus a few addresses for the client's own tests:

  /redirect?to=ADDRESS  answers 302 to ADDRESS
  /slow?seconds=N       answers after N seconds
  /bytes?count=N        answers N bytes of "x"

Usage: http_server.py ROOT
READY carries port (http), tlsport (https) and certificate (PEM path).
"""
import functools
import http.server
import os
import shutil
import ssl
import sys
import threading
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import common  # noqa: E402


class Handler(http.server.SimpleHTTPRequestHandler):
    # Keeps connections open between requests, as web servers do: a client that
    # fetches a page and its pictures may use one connection for all of them.
    protocol_version = "HTTP/1.1"
    # Headers and body go out as separate writes; without this each answer on a
    # kept connection waits for the client's delayed acknowledgement.
    disable_nagle_algorithm = True

    def log_message(self, *args):
        pass

    def do_GET(self):
        url = urllib.parse.urlparse(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/redirect":
            self.send_response(302)
            self.send_header("Location", query["to"][0])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if url.path == "/slow":
            time.sleep(float(query.get("seconds", ["5"])[0]))
            return self.answer(b"slow")
        if url.path == "/bytes":
            return self.answer(b"x" * int(query["count"][0]))
        return super().do_GET()

    def answer(self, body):
        try:
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        except OSError:
            pass


def main():
    root, work = os.path.abspath(sys.argv[1]), common.work_folder()
    cert, key = common.make_certificate(work, "web")
    handler = functools.partial(Handler, directory=root)
    plain = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for server in (plain, secure):
        server.daemon_threads = True
        threading.Thread(target=server.serve_forever, daemon=True).start()
    common.ready(port=plain.server_address[1], tlsport=secure.server_address[1], certificate=cert)
    common.wait_for_end()
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
