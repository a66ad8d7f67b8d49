"""Serves a folder on 127.0.0.1 for the browser edition: static files only, each with its type
(WebAssembly must come as application/wasm to be compiled while it downloads), nothing cached, and
quiet unless asked.

    /usr/bin/python3 scripts/lib/serve.py FOLDER [PORT] [--log]
"""

import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".otf": "font/otf",
        ".ttf": "font/ttf",
        ".ico": "image/x-icon",
        ".txt": "text/plain; charset=utf-8",
    }
    verbose = False

    def end_headers(self):
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        if self.verbose:
            super().log_message(format, *args)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    folder = args[0]
    port = int(args[1]) if len(args) > 1 else 8080
    Handler.verbose = "--log" in sys.argv
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=folder))
    print(f"Blokko: http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
