#!/usr/bin/env python3
"""Copies a text file with Windows line ends, so Notepad shows its lines.

usage: crlf.py INPUT OUTPUT
"""
import sys

with open(sys.argv[1], "rb") as source:
    text = source.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
with open(sys.argv[2], "wb") as target:
    target.write(text)
