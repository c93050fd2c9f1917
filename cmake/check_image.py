#!/usr/bin/env python3
"""Checks a built Windows image against what the product may depend on.

  check_image.py IMAGE --imports A,B --delay-imports C,D

Fails (exit 1, one line per finding) when the image imports a library at
start that is not listed under --imports, delay-loads one not listed under
--delay-imports, or lacks address-space randomisation, DEP or (64-bit)
high-entropy randomisation. Libraries imported at start are found before
any code of ours runs, so only the names the system itself protects
(KnownDLLs) belong there; everything else is delay-loaded after the search
path has been narrowed to System32.

MinGW's linker leaves the delay-import directory entry empty, so delay
descriptors are found by their shape: attributes 1 (RVA-based) and RVAs of a
library name ending in ".dll", its module handle, its address table and its
name table, all inside the image.
"""
import argparse
import struct
import sys

DYNAMIC_BASE = 0x0040
NX_COMPAT = 0x0100
HIGH_ENTROPY_VA = 0x0020


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        self.is64 = struct.unpack_from("<H", data, optional)[0] == 0x20B
        self.characteristics = struct.unpack_from("<H", data, optional + 70)[0]
        self.size_of_image = struct.unpack_from("<I", data, optional + 56)[0]
        directories = optional + (112 if self.is64 else 96)
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            va_size, va, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((va, max(va_size, raw_size), raw, raw_size))

    def offset(self, rva):
        for va, size, raw, raw_size in self.sections:
            if va <= rva < va + size and rva - va < raw_size:
                return raw + rva - va
        return None

    def name_at(self, rva):
        at = self.offset(rva)
        if at is None:
            return None
        end = self.data.find(b"\0", at, at + 256)
        if end < 0:
            return None
        text = self.data[at:end]
        return text.decode("ascii") if text and all(32 < c < 127 for c in text) else None

    def imports(self):
        names, at = [], self.offset(self.import_rva) if self.import_rva else None
        while at is not None:
            lookup, _, _, name, thunks = struct.unpack_from("<IIIII", self.data, at)
            if not (lookup or name or thunks):
                break
            names.append(self.name_at(name))
            at += 20
        return names

    def delay_imports(self):
        names = set()
        inside = lambda rva: 0 < rva < self.size_of_image
        for va, size, raw, raw_size in self.sections:
            for at in range(raw, raw + raw_size - 32, 4):
                attrs, name, module, iat, int_, _, _, stamp = struct.unpack_from("<8I", self.data, at)
                if attrs != 1 or stamp != 0 or not all(map(inside, (name, module, iat, int_))):
                    continue
                text = self.name_at(name)
                if text and text.lower().endswith(".dll"):
                    names.add(text)
        return sorted(names)


def allowed(listed):
    return {name.lower() for name in listed.split(",") if name}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("image")
    parser.add_argument("--imports", default="")
    parser.add_argument("--delay-imports", default="")
    args = parser.parse_args()
    image = Image(open(args.image, "rb").read())
    problems = []
    for name in image.imports():
        if name is None or name.lower() not in allowed(args.imports):
            problems.append("imports %s at start" % name)
    for name in image.delay_imports():
        if name.lower() not in allowed(args.delay_imports):
            problems.append("delay-loads %s" % name)
    wanted = {"DYNAMIC_BASE": DYNAMIC_BASE, "NX_COMPAT": NX_COMPAT}
    if image.is64:
        wanted["HIGH_ENTROPY_VA"] = HIGH_ENTROPY_VA
    for flag, bit in wanted.items():
        if not image.characteristics & bit:
            problems.append("lacks %s" % flag)
    for problem in problems:
        print("%s: %s" % (args.image, problem), file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
