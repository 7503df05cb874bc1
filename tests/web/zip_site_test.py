#!/usr/bin/env python3
# The web release's zip (scripts/web/zip_site.py): every file under the one top folder with its
# bytes, and the same archive from the same files whatever their times, order or the time zone.
import os
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

SCRIPT = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "web", "zip_site.py")
FILES = {"index.html": b"<!doctype html>" * 40, "orbek42.data": os.urandom(5000),
         "orbek42.data.br": os.urandom(3000), "orbek42.png": b"\x89PNG" + os.urandom(100)}


def make_site(folder, order, mtime):
    for name in order:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(FILES[name])
        os.utime(os.path.join(folder, name), (mtime, mtime))
    os.makedirs(os.path.join(folder, "not-a-file"), exist_ok=True)


def pack(folder, output, epoch="1796947200", tz="UTC"):
    environment = dict(os.environ, TZ=tz)
    return subprocess.run([sys.executable, SCRIPT, folder, output, "orbek42-1.0-web", epoch],
                          env=environment, capture_output=True, text=True)


class ZipSite(unittest.TestCase):
    def test_contents_and_dates(self):
        with tempfile.TemporaryDirectory() as scratch:
            site = os.path.join(scratch, "site")
            os.mkdir(site)
            make_site(site, sorted(FILES), time.time())
            output = os.path.join(scratch, "web.zip")
            self.assertEqual(pack(site, output).returncode, 0)
            with zipfile.ZipFile(output) as archive:
                names = archive.namelist()
                self.assertEqual(names, ["orbek42-1.0-web/"] + [f"orbek42-1.0-web/{n}" for n in sorted(FILES)])
                for name, data in FILES.items():
                    info = archive.getinfo(f"orbek42-1.0-web/{name}")
                    self.assertEqual(archive.read(info), data)
                    self.assertEqual(info.date_time, (2026, 12, 11, 0, 0, 0))
                    self.assertEqual(info.external_attr >> 16, 0o100644)
                stored = archive.getinfo("orbek42-1.0-web/orbek42.data.br").compress_type
                self.assertEqual(stored, zipfile.ZIP_STORED)

    def test_same_bytes_from_the_same_files(self):
        with tempfile.TemporaryDirectory() as scratch:
            outputs = []
            for run, (order, mtime, tz) in enumerate([(sorted(FILES), 1e9, "UTC"),
                                                       (sorted(FILES, reverse=True), 2e9, "Asia/Tokyo")]):
                site = os.path.join(scratch, f"site{run}")
                os.mkdir(site)
                make_site(site, order, mtime)
                outputs.append(os.path.join(scratch, f"web{run}.zip"))
                self.assertEqual(pack(site, outputs[-1], tz=tz).returncode, 0)
            with open(outputs[0], "rb") as a, open(outputs[1], "rb") as b:
                self.assertEqual(a.read(), b.read())

    def test_refuses_bad_arguments(self):
        with tempfile.TemporaryDirectory() as scratch:
            for epoch, top in [("yesterday", "top"), ("0", "a/b"), ("0", "")]:
                result = subprocess.run([sys.executable, SCRIPT, scratch, os.path.join(scratch, "x.zip"), top, epoch],
                                        capture_output=True, text=True)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn("usage", result.stderr)


if __name__ == "__main__":
    unittest.main()
