#!/usr/bin/env python3
"""Turns a UTF-8 text of the project into the text file a Windows user opens.

    package-text.py SOURCE OUTPUT cp932|utf-8-bom

Line ends become CR LF.  cp932 is the Japanese ANSI code page, which every
editor of a Japanese Windows reads without being told; a character it
cannot hold is an error, not a question mark.  utf-8-bom is UTF-8 with the
byte-order mark by which Notepad recognises it on every Windows version.
"""
import sys


def main():
    source, output, encoding = sys.argv[1:4]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    if encoding == "cp932":
        data = text.encode("cp932")
    elif encoding == "utf-8-bom":
        data = b"\xef\xbb\xbf" + text.encode("utf-8")
    else:
        sys.exit(f"unknown encoding {encoding}")
    with open(output, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
