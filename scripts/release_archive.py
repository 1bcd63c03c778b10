"""Writes the release archive Vantrel-<version>-win64.zip and SHA256SUMS
beside it, from the built programs and the source tree's texts, and prints
the archive's path.

The archive's bytes depend only on its inputs: a fixed order of entries, every
entry stamped with the source's date (SOURCE_DATE_EPOCH, else the time of the
checked-out commit), fixed attributes, and texts in Windows' form (CRLF; the
readme in UTF-8 with a byte order mark, which Notepad reads).

Usage: release_archive.py --version X.Y.Z --programs DIR --source DIR --out DIR"""
import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

PROGRAMS = ("Vantrel.scr", "Vantrel.dll")
BOM = b"\xef\xbb\xbf"


def source_date(source):
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return int(os.environ["SOURCE_DATE_EPOCH"])
    found = subprocess.run(["git", "-C", source, "log", "-1", "--format=%ct"],
                           capture_output=True, text=True)
    if found.returncode != 0 or not found.stdout.strip():
        sys.exit("release_archive: no SOURCE_DATE_EPOCH and no git commit to date the archive")
    return int(found.stdout)


def windows_text(path, version=None):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    if version is not None:
        text = text.replace("@VERSION@", version)
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def entries(opts):
    """(name in the archive, bytes), in the archive's order."""
    for name in PROGRAMS:
        path = os.path.join(opts.programs, name)
        if not os.path.isfile(path):
            sys.exit(f"release_archive: {path} is missing")
        with open(path, "rb") as f:
            yield name, f.read()
    yield "LICENSE.txt", windows_text(os.path.join(opts.source, "LICENSE"))
    yield "README.txt", BOM + windows_text(
        os.path.join(opts.source, "docs", "windows_readme.txt"), opts.version)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--version", "--programs", "--source", "--out"):
        parser.add_argument(option, required=True)
    opts = parser.parse_args()

    # Zip times are local times without a zone: the UTC reading, from 1980 on.
    stamp = max(time.gmtime(source_date(opts.source))[:6], (1980, 1, 1, 0, 0, 0))
    os.makedirs(opts.out, exist_ok=True)
    archive = os.path.join(os.path.abspath(opts.out), f"Vantrel-{opts.version}-win64.zip")
    with zipfile.ZipFile(archive, "w") as zf:
        for name, data in entries(opts):
            info = zipfile.ZipInfo(name, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            # MS-DOS attributes of a plain file as Windows makes it (archive
            # bit); unzip then gives the user's usual permissions.
            info.create_system = 0
            info.external_attr = 0x20
            zf.writestr(info, data, compresslevel=9)

    with open(archive, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    with open(os.path.join(opts.out, "SHA256SUMS"), "w", newline="\n") as f:
        f.write(f"{digest}  {os.path.basename(archive)}\n")
    print(archive)


if __name__ == "__main__":
    main()
