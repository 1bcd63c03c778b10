"""Writes the release archive Vantrel-<version>-win64.zip and SHA256SUMS
beside it, from the built programs and the source tree's texts, and prints
the archive's path. With --setup, the setup program is copied beside the
archive and listed in SHA256SUMS too. With --texts DIR, it only writes the
two texts in Windows' form into DIR (what the setup program installs).

The archive's bytes depend only on its inputs: a fixed order of entries, every
entry with the zip format's earliest date (1980-01-01 00:00) in place of a
time stamp, fixed attributes, and texts in Windows' form (CRLF; the readme in
UTF-8 with a byte order mark, which Notepad reads).

Usage: release_archive.py --version X.Y.Z --programs DIR --source DIR --out DIR [--setup EXE]
       release_archive.py --version X.Y.Z --source DIR --texts DIR"""
import argparse
import hashlib
import os
import shutil
import sys
import zipfile

PROGRAMS = ("Vantrel.scr", "Vantrel.dll")
BOM = b"\xef\xbb\xbf"
# No time stamp: every entry carries the format's earliest date.
ENTRY_DATE = (1980, 1, 1, 0, 0, 0)


def windows_text(path, version=None):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if version is not None:
        text = text.replace("@VERSION@", version)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def texts(opts):
    """(file name, bytes) of the licence and the Windows readme."""
    yield "LICENSE.txt", windows_text(os.path.join(opts.source, "LICENSE"))
    yield "README.txt", BOM + windows_text(
        os.path.join(opts.source, "docs", "windows_readme.txt"), opts.version)


def entries(opts):
    """(name in the archive, bytes), in the archive's order."""
    for name in PROGRAMS:
        path = os.path.join(opts.programs, name)
        if not os.path.isfile(path):
            sys.exit(f"release_archive: {path} is missing")
        with open(path, "rb") as f:
            yield name, f.read()
    yield from texts(opts)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    parser = argparse.ArgumentParser()
    for option in ("--version", "--source"):
        parser.add_argument(option, required=True)
    for option in ("--programs", "--out", "--setup", "--texts"):
        parser.add_argument(option)
    opts = parser.parse_args()

    if opts.texts:
        os.makedirs(opts.texts, exist_ok=True)
        for name, data in texts(opts):
            with open(os.path.join(opts.texts, name), "wb") as f:
                f.write(data)
        return
    if not (opts.programs and opts.out):
        parser.error("--programs and --out are needed to write the archive")

    os.makedirs(opts.out, exist_ok=True)
    archive = os.path.join(os.path.abspath(opts.out), f"Vantrel-{opts.version}-win64.zip")
    with zipfile.ZipFile(archive, "w") as zf:
        for name, data in entries(opts):
            info = zipfile.ZipInfo(name, ENTRY_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            # MS-DOS attributes of a plain file as Windows makes it (archive
            # bit); unzip then gives the user's usual permissions.
            info.create_system = 0
            info.external_attr = 0x20
            zf.writestr(info, data, compresslevel=9)

    released = [archive]
    if opts.setup:
        setup = os.path.join(os.path.abspath(opts.out), f"Vantrel-{opts.version}-setup.exe")
        shutil.copyfile(opts.setup, setup)
        released.insert(0, setup)
    with open(os.path.join(opts.out, "SHA256SUMS"), "w", newline="\n") as f:
        for path in released:
            f.write(f"{sha256(path)}  {os.path.basename(path)}\n")
    print(archive)


if __name__ == "__main__":
    main()
