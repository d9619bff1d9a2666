#!/usr/bin/env python3
"""Writes the PDF samples of the picture tests, object by object, as PDF 1.4 lays a file out:
page.pdf, one A-wide page (200 x 100 points) whose upper half is red and lower half blue;
locked.pdf, the same page encrypted with the standard security handler (revision 2, 40-bit RC4)
under the user password "secret", which a viewer cannot open without it."""

import hashlib

# The padding of passwords, from the PDF reference (algorithm 3.2).
PAD = bytes.fromhex("28bf4e5e4e758a4164004e56fffa01082e2e00b6d0683e802f0ca9fe6453697a")
CONTENT = b"1 0 0 rg 0 50 200 50 re f 0 0 1 rg 0 0 200 50 re f\n"
FILE_ID = bytes.fromhex("0123456789abcdef0123456789abcdef")


def rc4(key, data):
    s = list(range(256))
    j = 0
    for i in range(256):
        j = (j + s[i] + key[i % len(key)]) % 256
        s[i], s[j] = s[j], s[i]
    out = bytearray()
    i = j = 0
    for byte in data:
        i = (i + 1) % 256
        j = (j + s[i]) % 256
        s[i], s[j] = s[j], s[i]
        out.append(byte ^ s[(s[i] + s[j]) % 256])
    return bytes(out)


def padded(password):
    return (password + PAD)[:32]


def write(name, objects, trailer_extra=b""):
    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R /ID [<%s> <%s>] %s>>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, FILE_ID.hex().encode(), FILE_ID.hex().encode(), trailer_extra, xref)
    with open(name, "wb") as f:
        f.write(out)


def page_objects(content):
    return [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 100] /Contents 4 0 R >>",
        b"<< /Length %d >>\nstream\n" % len(content) + content + b"\nendstream",
    ]


write("page.pdf", page_objects(CONTENT))

# Revision 2: O from the owner password, the file key from the user password, O, P and the ID;
# U is the padding encrypted with that key; each object's strings and streams with a key of its own.
permissions = -4
owner_key = hashlib.md5(padded(b"owner")).digest()[:5]
o_value = rc4(owner_key, padded(b"secret"))
file_key = hashlib.md5(padded(b"secret") + o_value + permissions.to_bytes(4, "little", signed=True) + FILE_ID).digest()[:5]
u_value = rc4(file_key, PAD)
object_key = hashlib.md5(file_key + (4).to_bytes(3, "little") + (0).to_bytes(2, "little")).digest()[:10]
objects = page_objects(rc4(object_key, CONTENT))
objects.append(b"<< /Filter /Standard /V 1 /R 2 /O <%s> /U <%s> /P %d >>" % (
    o_value.hex().encode(), u_value.hex().encode(), permissions))
write("locked.pdf", objects, b"/Encrypt 5 0 R ")
