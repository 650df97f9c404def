#!/usr/bin/python3
"""Writes a UTF-8 text file as code page 936 (GBK) with CR LF line ends, as the program reads it."""
import sys

text = open(sys.argv[1], encoding="utf-8").read()
with open(sys.argv[2], "wb") as out:
    out.write("\r\n".join(text.splitlines()).encode("gbk") + b"\r\n")
