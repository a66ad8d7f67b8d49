"""Writes the frame's codes (web/frame_codes.h: every `enum class Name : int { A = 1, ... }`) as a module
of the page's script, one frozen object per enum, so that the page never keeps a copy of its own.

    frame_codes.py web/frame_codes.h OUT.js
"""

import re
import sys

ENUM = re.compile(r"enum class (\w+) : int \{(.*?)\};", re.S)
VALUE = re.compile(r"^\s*(\w+) = (\d+),?\s*$")


def read_enums(text):
    enums = []
    for name, body in ENUM.findall(text):
        values = []
        for entry in re.sub(r"//[^\n]*", "", body).replace(",", ",\n").splitlines():
            if not entry.strip():
                continue
            match = VALUE.match(entry)
            if not match:
                sys.exit(f"frame_codes.py: {name}: expected `Name = number`, found {entry.strip()!r}")
            values.append((match.group(1), int(match.group(2))))
        if not values:
            sys.exit(f"frame_codes.py: {name} has no values")
        enums.append((name, values))
    if not enums:
        sys.exit("frame_codes.py: no enum found")
    return enums


def main():
    source, out = sys.argv[1:3]
    with open(source, encoding="utf-8") as f:
        enums = read_enums(f.read())
    lines = ["// Made at build time by tools/frame_codes.py from web/frame_codes.h: the codes of a frame."]
    for name, values in enums:
        fields = ", ".join(f"{key}: {value}" for key, value in values)
        lines.append(f"export const {name} = Object.freeze({{ {fields} }});")
    with open(out, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
