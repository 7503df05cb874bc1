#!/usr/bin/env python3
# The web build's server (scripts/web/serve.py): which encodings a browser's Accept-Encoding
# allows, and what a running server sends for each: the precompressed copy with its
# Content-Encoding, the original's Content-Type, Vary, and bodies that decode to the original.
import gzip
import http.client
import os
import sys
import tempfile
import threading
import unittest
import functools
import http.server

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "web"))
import serve  # noqa: E402

WASM = bytes([0, 0x61, 0x73, 0x6D, 1, 0, 0, 0]) * 100
PAGE = b"<!doctype html><title>t</title>" * 50
BROTLI_STAND_IN = b"pretend-brotli"  # the server never decodes: it hands the file out as it is


class AcceptedEncodings(unittest.TestCase):
    def test_table(self):
        cases = [
            ("", set()),
            ("gzip, deflate, br", {"gzip", "deflate", "br"}),
            ("gzip;q=1.0, br;q=0", {"gzip"}),
            ("BR; Q=0.5 , GZIP", {"br", "gzip"}),
            ("*", {"br", "gzip"}),
            ("*;q=0.1, br;q=0", {"gzip"}),
            ("gzip;q=nonsense, br", {"br"}),
            (";;,, ,", set()),
        ]
        for header, expected in cases:
            with self.subTest(header=header):
                self.assertEqual(serve.accepted_encodings(header), expected)


class Serving(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        files = {
            "index.html": PAGE, "index.html.gz": gzip.compress(PAGE, mtime=0),
            "orbek42.wasm": WASM, "orbek42.wasm.gz": gzip.compress(WASM, mtime=0),
            "orbek42.wasm.br": BROTLI_STAND_IN, "orbek42.data": b"\x01\x02",
        }
        for name, data in files.items():
            with open(os.path.join(cls.folder.name, name), "wb") as f:
                f.write(data)
        serve.PrecompressedHandler.quiet = True
        handler = functools.partial(serve.PrecompressedHandler, directory=cls.folder.name)
        cls.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.shutdown()
        cls.server.server_close()
        cls.folder.cleanup()

    def get(self, path, accept=None, method="GET"):
        connection = http.client.HTTPConnection(*self.server.server_address[:2], timeout=10)
        headers = {"Accept-Encoding": accept} if accept is not None else {}
        connection.request(method, path, headers=headers)
        response = connection.getresponse()
        body = response.read()
        connection.close()
        return response, body

    def test_each_file_goes_out_in_the_best_encoding_the_browser_accepts(self):
        cases = [
            ("/orbek42.wasm", "gzip, deflate, br", "br", BROTLI_STAND_IN, "application/wasm"),
            ("/orbek42.wasm", "gzip", "gzip", WASM, "application/wasm"),
            ("/orbek42.wasm", "br;q=0, gzip;q=0", None, WASM, "application/wasm"),
            ("/orbek42.wasm", None, None, WASM, "application/wasm"),
            ("/orbek42.wasm?v=0123456789ab", "gzip", "gzip", WASM, "application/wasm"),
            ("/", "gzip, br", "gzip", PAGE, "text/html; charset=utf-8"),
            ("/orbek42.data", "gzip, br", None, b"\x01\x02", "application/octet-stream"),
        ]
        for path, accept, encoding, original, content_type in cases:
            with self.subTest(path=path, accept=accept):
                response, body = self.get(path, accept)
                self.assertEqual(response.status, 200)
                self.assertEqual(response.getheader("Content-Encoding"), encoding)
                self.assertEqual(response.getheader("Content-Type"), content_type)
                self.assertEqual(response.getheader("Vary"), "Accept-Encoding")
                self.assertEqual(int(response.getheader("Content-Length")), len(body))
                decoded = gzip.decompress(body) if encoding == "gzip" else body
                self.assertEqual(decoded, original)

    def test_head_missing_and_outside_the_folder(self):
        response, body = self.get("/orbek42.wasm", "gzip", method="HEAD")
        self.assertEqual((response.status, body), (200, b""))
        self.assertEqual(response.getheader("Content-Encoding"), "gzip")
        self.assertEqual(self.get("/nothing.js", "gzip")[0].status, 404)
        self.assertEqual(self.get("/../../etc/passwd", "gzip")[0].status, 404)


if __name__ == "__main__":
    unittest.main()
