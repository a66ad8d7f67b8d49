"""Writes the page's service worker: the template with the build's cache name, a hash of every file
of the page, and the list of those files written in.

    /usr/bin/python3 web/service_worker.py SITE_FOLDER TEMPLATE OUTPUT FILE...

Each FILE is a path relative to SITE_FOLDER, as the page requests it.
"""

import hashlib
import json
import os
import sys


def build_name(folder, files):
    digest = hashlib.sha256()
    for name in sorted(files):
        with open(os.path.join(folder, name), "rb") as f:
            content = f.read()
        digest.update(name.encode() + b"\0" + len(content).to_bytes(8, "little") + content)
    return digest.hexdigest()[:16]


def main(argv):
    if len(argv) < 5:
        sys.exit(__doc__)
    folder, template, output, files = argv[1], argv[2], argv[3], argv[4:]
    if len(set(files)) != len(files):
        sys.exit("service_worker.py: a file is listed twice (a cache takes each once)")
    with open(template, encoding="utf-8") as f:
        text = f.read()
    for placeholder in ("'@BUILD@'", "['@FILES@']"):
        if text.count(placeholder) != 1:
            sys.exit(f"{template}: {placeholder} must appear once")
    text = text.replace("'@BUILD@'", json.dumps(build_name(folder, files)))
    text = text.replace("['@FILES@']", json.dumps(files))
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv)
