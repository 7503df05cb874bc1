#!/usr/bin/env python3
# Serves a folder of the web build on one address, handing out the precompressed copy of a file
# (NAME.br, NAME.gz beside it) when the browser accepts that encoding, with Content-Encoding,
# Vary: Accept-Encoding and the original's Content-Type (application/wasm for the program).
# Python's http.server does the HTTP; this only chooses which file answers a request.
# Usage: serve.py FOLDER [--port N] [--bind ADDRESS] [--quiet]   (--port 0: any free port)
import argparse
import email.utils
import functools
import http.server
import os
import sys

# Best first: what the browser accepts is taken in this order.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


def accepted_encodings(header):
    """The content codings an Accept-Encoding value allows, by name (q=0 refuses one; * stands
    for every coding not named)."""
    allowed, refused, wildcard = set(), set(), False
    for part in (header or "").split(","):
        fields = [field.strip() for field in part.split(";")]
        name = fields[0].lower()
        if not name:
            continue
        quality = 1.0
        for parameter in fields[1:]:
            key, _, value = parameter.partition("=")
            if key.strip().lower() == "q":
                try:
                    quality = float(value)
                except ValueError:
                    quality = 0.0
        if name == "*":
            wildcard = quality > 0
        elif quality > 0:
            allowed.add(name)
        else:
            refused.add(name)
    if wildcard:
        allowed |= {name for name, _ in ENCODINGS} - refused
    return allowed


class PrecompressedHandler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    extensions_map = dict(
        http.server.SimpleHTTPRequestHandler.extensions_map,
        **{".wasm": "application/wasm", ".data": "application/octet-stream",
           ".js": "text/javascript", ".html": "text/html; charset=utf-8"})
    quiet = False

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            index = os.path.join(path, "index.html")
            if not self.path.split("?", 1)[0].endswith("/") or not os.path.isfile(index):
                return super().send_head()
            path = index
        if not os.path.isfile(path):
            return super().send_head()
        accepted = accepted_encodings(self.headers.get("Accept-Encoding"))
        for name, suffix in ENCODINGS:
            if name in accepted and os.path.isfile(path + suffix):
                return self.send_file(path + suffix, self.guess_type(path), name)
        return self.send_file(path, self.guess_type(path), None)

    def send_file(self, path, content_type, encoding):
        try:
            body = open(path, "rb")
        except OSError:
            self.send_error(404, "File not found")
            return None
        status = os.fstat(body.fileno())
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Content-Length", str(status.st_size))
        self.send_header("Last-Modified", email.utils.formatdate(status.st_mtime, usegmt=True))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        return body

    def log_message(self, format, *args):
        if not self.quiet:
            super().log_message(format, *args)


def main():
    parser = argparse.ArgumentParser(description="Serve the web build with its precompressed files.")
    parser.add_argument("folder")
    parser.add_argument("--port", type=int, default=8042)
    parser.add_argument("--bind", default="127.0.0.1")
    parser.add_argument("--quiet", action="store_true", help="log no requests")
    options = parser.parse_args()
    if not os.path.isfile(os.path.join(options.folder, "index.html")):
        sys.exit(f"serve.py: {options.folder}/index.html is missing: run scripts/build-web.sh first")
    handler = functools.partial(PrecompressedHandler, directory=options.folder)
    PrecompressedHandler.quiet = options.quiet
    with http.server.ThreadingHTTPServer((options.bind, options.port), handler) as server:
        host, port = server.server_address[:2]
        # The first line says where: scripts and tests read the address from it.
        print(f"http://{host}:{port}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == "__main__":
    main()
