#!/usr/bin/env python3
# Packs the web build's site (build-web/bin) into a zip under one top folder, the same bytes on
# every run from the same files: entries sorted by name, each dated EPOCH (the commit's time, as
# SOURCE_DATE_EPOCH gives it) in UTC, with plain permissions. Files that are compressed already
# (.br, .gz, .png) are stored as they are.
# Usage: zip_site.py FOLDER OUT.zip TOP EPOCH
import os
import sys
import time
import zipfile

STORED = (".br", ".gz", ".png")
# The earliest time a zip entry can carry.
ZIP_EPOCH = 315532800


def entry(name, epoch, mode):
    info = zipfile.ZipInfo(name, date_time=time.gmtime(max(epoch, ZIP_EPOCH))[:6])
    info.create_system = 3  # Unix, whose permission bits follow
    info.external_attr = mode << 16
    return info


def pack(folder, output, top, epoch):
    names = sorted(name for name in os.listdir(folder) if os.path.isfile(os.path.join(folder, name)))
    temporary = output + ".tmp"
    with zipfile.ZipFile(temporary, "w") as archive:
        folder_entry = entry(top + "/", epoch, 0o40755)
        folder_entry.external_attr |= 0x10  # the folder flag of DOS tools
        archive.writestr(folder_entry, b"")
        for name in names:
            info = entry(f"{top}/{name}", epoch, 0o100644)
            info.compress_type = zipfile.ZIP_STORED if name.endswith(STORED) else zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as source:
                archive.writestr(info, source.read(), compresslevel=9)
    os.replace(temporary, output)


def main():
    if len(sys.argv) != 5 or not sys.argv[4].isdigit() or "/" in sys.argv[3] or not sys.argv[3]:
        sys.exit("usage: zip_site.py FOLDER OUT.zip TOP EPOCH")
    pack(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]))


if __name__ == "__main__":
    main()
