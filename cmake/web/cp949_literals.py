#!/usr/bin/env python3
"""Copies a C++ source with its non-ASCII text turned into CP949 byte escapes.

Clang, which builds for the web, has no execution character set but UTF-8; the console's
texts are Korean Windows code page bytes. Every run of non-ASCII characters becomes the
\\xNN escapes of its CP949 bytes, so the string literal holds the bytes GCC's
-fexec-charset=CP949 gives natively. An escape followed by a hexadecimal digit would swallow
it, so the literal is closed and reopened there ("\\xB0\\xA1" "1"). Runs in comments become
escapes too, which changes nothing; characters CP949 lacks stay as they are (a comment's "…").

Usage: cp949_literals.py INPUT OUTPUT
"""
import re
import sys

HEX_DIGITS = "0123456789abcdefABCDEF"


def escape(match, text):
    run = match.group(0)
    try:
        data = run.encode("cp949")
    except UnicodeEncodeError:
        return run
    escaped = "".join("\\x%02X" % byte for byte in data)
    following = text[match.end():match.end() + 1]
    if following and following in HEX_DIGITS:
        escaped += '" "'
    return escaped


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as handle:
        text = handle.read()
    converted = re.sub(r"[^\x00-\x7F]+", lambda match: escape(match, text), text)
    with open(target, "w", encoding="utf-8", newline="") as handle:
        handle.write(converted)


if __name__ == "__main__":
    main()
