"""Serves the built page's folder on 127.0.0.1: its files and nothing else, each with its type
(WebAssembly must come as application/wasm to be compiled while it downloads), nothing cached, and
quiet unless asked.

    /usr/bin/python3 scripts/lib/serve.py FOLDER [PORT] [--log]

What a visitor can reach is the folder's files: no folder listings, no hidden files, nothing a link
leads to outside the folder. A path with `.` or `..` segments, an encoded slash, a NUL or bad
percent-encoding is answered 400. Every answer carries the page's Content-Security-Policy (the one its
index.html states in a <meta> tag, plus frame-ancestors, which only a header can say) and nosniff. A
connection that sends nothing for IDLE_SECONDS is closed.
"""

import email.utils
import functools
import http.server
import os
import re
import sys
import urllib.parse

IDLE_SECONDS = 5

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".json": "application/json",
    ".webmanifest": "application/manifest+json",
    ".wasm": "application/wasm",
    ".otf": "font/otf",
    ".ttf": "font/ttf",
    ".woff2": "font/woff2",
    ".ico": "image/x-icon",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".txt": "text/plain; charset=utf-8",
}

# When the folder has no page stating a policy: its own files only, and no WebAssembly.
FALLBACK_POLICY = "default-src 'self'"


def page_policy(folder):
    """The Content-Security-Policy that the folder's index.html states in its <meta> tag."""
    try:
        with open(os.path.join(folder, "index.html"), encoding="utf-8") as f:
            html = f.read()
    except OSError:
        return FALLBACK_POLICY
    meta = re.search(r'<meta\s+http-equiv="Content-Security-Policy"\s+content="([^"]*)"', html, re.I)
    return meta.group(1) if meta else FALLBACK_POLICY


class Handler(http.server.BaseHTTPRequestHandler):
    timeout = IDLE_SECONDS  # every read and write of the connection
    types = TYPES
    policy = FALLBACK_POLICY
    verbose = False

    def __init__(self, *args, directory, **kwargs):
        self.root = os.path.realpath(directory)
        super().__init__(*args, **kwargs)

    def version_string(self):
        return "Blokko"

    def do_GET(self):
        self.answer(body=True)

    def do_HEAD(self):
        self.answer(body=False)

    def answer(self, body):
        try:
            segments = self.segments()
        except ValueError:
            self.send_error(400, "Bad path")
            return
        path = self.file(segments)
        if path is None:
            self.send_error(404)
            return
        if os.path.isdir(path):
            # A folder's index.html stands for it; its relative links need the trailing slash.
            if not self.path.split("?", 1)[0].endswith("/"):
                self.send_response(301)
                self.send_header("Location", "/" + "".join(urllib.parse.quote(s) + "/" for s in segments))
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
            path = self.file(segments + ["index.html"])
            if path is None or os.path.isdir(path):
                self.send_error(404)
                return
        try:
            f = open(path, "rb")
        except OSError:
            self.send_error(404)
            return
        with f:
            size = os.fstat(f.fileno()).st_size
            self.send_response(200)
            extension = os.path.splitext(path)[1].lower()
            self.send_header("Content-Type", self.types.get(extension, "application/octet-stream"))
            self.send_header("Content-Length", str(size))
            self.send_header("Last-Modified", email.utils.formatdate(os.fstat(f.fileno()).st_mtime, usegmt=True))
            self.end_headers()
            if body:
                while chunk := f.read(1 << 16):
                    self.wfile.write(chunk)

    def segments(self):
        """The request's path as names under the folder; ValueError when it is not a plain one."""
        raw = urllib.parse.urlsplit(self.path).path
        if not raw.startswith("/"):
            raise ValueError(raw)
        names = []
        for part in raw[1:].split("/"):
            name = urllib.parse.unquote(part, errors="strict")
            if name in (".", "..") or any(c in name for c in "/\\\0"):
                raise ValueError(raw)
            names.append(name)
        return [n for n in names if n]

    def file(self, segments):
        """The file or folder that the names lead to, links resolved; None when it is hidden, absent or
        outside the folder."""
        if any(name.startswith(".") for name in segments):
            return None
        path = os.path.realpath(os.path.join(self.root, *segments))
        if path != self.root and not path.startswith(self.root + os.sep):
            return None
        return path if os.path.exists(path) else None

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        self.send_header("X-Content-Type-Options", "nosniff")
        self.send_header("Content-Security-Policy", f"{self.policy}; frame-ancestors 'none'")
        self.send_header("Referrer-Policy", "no-referrer")
        super().end_headers()

    def log_message(self, format, *args):
        if self.verbose:
            super().log_message(format, *args)


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A visitor that goes away mid-answer is no fault of the server's; anything else is one line.
        error = sys.exc_info()[1]
        if not isinstance(error, (ConnectionError, TimeoutError)):
            print(f"serve.py: {client_address[0]}: {type(error).__name__}: {error}", file=sys.stderr, flush=True)


def serve(folder, port, handler=Handler):
    """A server of the folder on 127.0.0.1 (port 0: any free port), not yet started."""
    return Server(("127.0.0.1", port), functools.partial(handler, directory=folder))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not args or not os.path.isdir(args[0]):
        print(__doc__, file=sys.stderr)
        return 2
    folder = args[0]
    port = int(args[1]) if len(args) > 1 else 8080
    Handler.verbose = "--log" in sys.argv
    Handler.policy = page_policy(folder)
    server = serve(folder, port)
    print(f"Blokko: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
