#!/usr/bin/env python3
"""Writes every character a CP949 text can hold (ASCII and each valid two-byte code), one
U+XXXX a line: the characters the runner can ever draw, so the page's font needs no more.

Usage: cp949_repertoire.py OUTPUT
"""
import sys


def main():
    characters = set(range(0x20, 0x7F))
    for lead in range(0x81, 0xFF):
        for trail in range(0x41, 0xFF):
            try:
                characters.update(ord(c) for c in bytes([lead, trail]).decode("cp949"))
            except UnicodeDecodeError:
                pass
    with open(sys.argv[1], "w", encoding="ascii") as output:
        output.write("".join("U+%04X\n" % c for c in sorted(characters)))


if __name__ == "__main__":
    main()
