#!/usr/bin/env python3
"""Builds the zip archives the skin-source tests read, with real tools:
Info-ZIP `zip` (stored, deflated, data descriptors, streamed output, stdin
members, an archive comment) and Python's zipfile (mixed methods, UTF-8
names, an archive behind a stub, the 4 MiB markup limits).

usage: make_zip_fixtures.py <output folder>
"""
import os
import random
import shutil
import subprocess
import sys
import zipfile

LIMIT = 4 * 1024 * 1024

MARKUP = """<?xml version="1.0" encoding="utf-8"?>
<!-- the fixture skin -->
<Window size="480,323" caption="0,0,0,36">
  <VerticalLayout bkcolor="#FFFFFFFF">
    <Button name="closebtn" normalimage="file='image/topbar_min_normal.png'"/>
    <Label text="Eye care &amp; comfort"/>
  </VerticalLayout>
</Window>
"""


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def markup_of_size(size):
    head, tail = b"<Window>", b"</Window>"
    return head + b" " * (size - len(head) - len(tail)) + tail


def run(args, cwd, stdin=None, stdout=None):
    subprocess.run(args, cwd=cwd, input=stdin, stdout=stdout, check=True)


def main():
    out = os.path.abspath(sys.argv[1])
    work = os.path.join(out, "work")
    shutil.rmtree(work, ignore_errors=True)
    skin = os.path.join(work, "skin")
    rng = random.Random(131)

    image = bytes(rng.getrandbits(8) for _ in range(3000))  # incompressible
    big = "".join("line %06d of the large compressible member\n" % i for i in range(8000)).encode()
    write(os.path.join(skin, "RuzerodOradirWnd.xml"), MARKUP.encode("utf-8"))
    write(os.path.join(skin, "image", "topbar_min_normal.png"), image)
    write(os.path.join(skin, "big.txt"), big)
    write(os.path.join(skin, "empty.txt"), b"")
    # The expected contents, for the tests to compare with.
    for name in ("RuzerodOradirWnd.xml", "image/topbar_min_normal.png", "big.txt"):
        shutil.copyfile(os.path.join(skin, name), os.path.join(out, "expected_" + os.path.basename(name)))

    def infozip(name, *options):
        target = os.path.join(out, name)
        if os.path.exists(target):
            os.remove(target)
        run(["zip", "-q", "-r", *options, target, "."], cwd=skin)
        return target

    infozip("infozip_deflated.zip", "-9")
    run(["zip", "-q", "-z", os.path.join(out, "infozip_deflated.zip")], cwd=skin,
        stdin=b"Orvane skin fixture comment\n")
    infozip("infozip_stored.zip", "-0")
    infozip("infozip_descriptors.zip", "-fd")
    # Written to a pipe, zip cannot seek back: sizes go into data descriptors.
    with open(os.path.join(out, "infozip_streamed.zip"), "wb") as f:
        p = subprocess.Popen(["zip", "-q", "-r", "-", "."], cwd=skin, stdout=subprocess.PIPE)
        shutil.copyfileobj(p.stdout, f)
        if p.wait() != 0:
            raise SystemExit("zip to a pipe failed")
    # A member read from standard input is named "-" and carries zip64 local sizes.
    with open(os.path.join(out, "infozip_stdin.zip"), "wb") as f:
        p = subprocess.Popen(["zip", "-q", "-", "-"], cwd=skin, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        data, _ = p.communicate(big)
        f.write(data)
        if p.returncode != 0:
            raise SystemExit("zip from stdin failed")

    with zipfile.ZipFile(os.path.join(out, "python_mixed.zip"), "w") as z:
        z.writestr("RuzerodOradirWnd.xml", MARKUP.encode("utf-8"), zipfile.ZIP_DEFLATED)
        z.writestr("image/topbar_min_normal.png", image, zipfile.ZIP_STORED)
        z.writestr("big.txt", big, zipfile.ZIP_DEFLATED, compresslevel=9)
        z.writestr("图片/按钮.png", image, zipfile.ZIP_DEFLATED)
        z.comment = b"python zipfile"

    prefixed = os.path.join(out, "python_prefixed.zip")
    write(prefixed, b"MZ" + bytes(rng.getrandbits(8) for _ in range(5000)))
    with zipfile.ZipFile(prefixed, "a") as z:
        z.writestr("RuzerodOradirWnd.xml", MARKUP.encode("utf-8"), zipfile.ZIP_DEFLATED)
        z.writestr("image/topbar_min_normal.png", image, zipfile.ZIP_STORED)

    with zipfile.ZipFile(os.path.join(out, "limits.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("exact.xml", markup_of_size(LIMIT))
        z.writestr("over.xml", markup_of_size(LIMIT + 1))
        z.writestr("empty.xml", b"")
        z.writestr("exact.png", b"\x89PNG" + b"\0" * (LIMIT - 4))
        z.writestr("over.png", b"\x89PNG" + b"\0" * (LIMIT - 3))

    # Duplicate names: the first entry wins a lookup.
    import warnings
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        with zipfile.ZipFile(os.path.join(out, "python_duplicates.zip"), "w", zipfile.ZIP_DEFLATED) as z:
            z.writestr("Dup.txt", b"first")
            z.writestr("dup.txt", b"second")

    # More than 65,535 entries: the counts live in the zip64 end records.
    with zipfile.ZipFile(os.path.join(out, "python_zip64.zip"), "w", zipfile.ZIP_STORED) as z:
        for i in range(70000):
            z.writestr("f/%05d.txt" % i, b"%d" % i)

    # Inputs of the resource fixture library.
    write(os.path.join(out, "empty.bin"), b"")
    shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
