#!/usr/bin/env python3
"""Writes an address book file from name/e-mail pairs, independently of the
library, so that a test can hold the library's reader and writer to the
format: address_book_writer.py OUT.mab NAME EMAIL [NAME EMAIL]...
Entries are written in the order given (the first is the book's head)."""
import struct
import sys

HEADER = struct.Struct("<100s4s6s")
RECORD = struct.Struct("<260s260sIII")  # name, e-mail, prev, next, inUse


def text(value):
    return value.encode("latin-1")[:259]


def book(pairs):
    out = HEADER.pack(b"Tavrel KZ8 Email Address Book", b"1.0", b"")
    for i, (name, email) in enumerate(pairs):
        out += RECORD.pack(text(name), text(email), 0, 1 if i + 1 < len(pairs) else 0, 1)
    return out


def main(argv):
    if len(argv) < 4 or len(argv) % 2:
        sys.exit("usage: address_book_writer.py OUT.mab NAME EMAIL [NAME EMAIL]...")
    pairs = list(zip(argv[2::2], argv[3::2]))
    with open(argv[1], "wb") as out:
        out.write(book(pairs))


if __name__ == "__main__":
    main(sys.argv)
