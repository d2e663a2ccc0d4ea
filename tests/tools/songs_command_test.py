#!/usr/bin/env python3
"""Runs `vamplet-cli songs` on small chord files and checks its JSON and exit codes."""
import json
import os
import subprocess
import sys
import tempfile
import unittest

CLI = None
SAMPLE = None


def run(*args):
    return subprocess.run([CLI, "songs", *args], capture_output=True, timeout=30)


class SongsCommandTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.tmp.cleanup()

    def write(self, name, data):
        path = os.path.join(self.tmp.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def songs(self, path, expected_exit):
        result = run(path)
        self.assertEqual(result.returncode, expected_exit, result.stderr)
        return json.loads(result.stdout.decode("utf-8"))

    def test_lists_the_songs_as_the_reader_leaves_them(self):
        path = self.write("two.crd", (
            "lost before the first title\r\n"
            "T:Blue song\r\n"
            "C: Someone \r\n"
            "b:3\r\n"
            "Q: 96.5\r\n"
            "R:Waltz\r\n"
            "I:Caf\u00e9 \u266b\r\n"
            ".C|F|\r\n"
            "la la\r\n"
            "\r\n"
            "t:  Next\t \r\n"
            ". G7 , C |").encode("utf-8"))
        out = self.songs(path, 0)
        self.assertIsNone(out["error"])
        self.assertEqual(out["songs"], [
            {"title": "Blue song", "composer": "Someone", "beats": 3, "tempo": 96,
             "style": "Waltz", "info": "Caf\u00e9 \u266b", "text": ".C|F|\r\nla la\r\n"},
            {"title": "Next\t", "composer": "", "beats": 4, "tempo": 120,
             "style": "", "info": "", "text": ". G7 , C |"},
        ])

    def test_a_read_that_ends_early_keeps_the_songs_read_so_far(self):
        path = self.write("overflow.crd",
                          b"T:One\r\n.C|\r\nT:Two\r\n.F|\r\nQ:40000\r\nT:Three\r\n")
        out = self.songs(path, 1)
        self.assertIsInstance(out["error"], str)
        self.assertTrue(out["error"])
        self.assertEqual([s["title"] for s in out["songs"]], ["One", "Two"])
        self.assertTrue(out["songs"][1]["text"].startswith(".F|"))

    def test_files_without_songs_and_files_that_cannot_be_read(self):
        # The reader may leave one blank song to edit; it never invents a titled one.
        for data in (b"", b".C|\r\nC:x\r\n"):
            with self.subTest(data=data):
                out = self.songs(self.write("notitle.crd", data), 0)
                self.assertIsNone(out["error"])
                self.assertEqual([s for s in out["songs"] if s["title"] or s["text"]], [])
        missing_path = os.path.join(self.tmp.name, "missing.crd")
        missing = self.songs(missing_path, 1)
        self.assertIn(missing_path, missing["error"])
        self.assertEqual([s for s in missing["songs"] if s["title"]], [])

    def test_usage_errors_exit_with_2_and_say_so(self):
        for args in ([], ["a.crd", "b.crd"], [""]):
            with self.subTest(args=args):
                result = run(*args)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stdout, b"")
                self.assertIn(b"usage", result.stderr)

    def test_the_sample_collection_reads_cleanly(self):
        out = self.songs(SAMPLE, 0)
        self.assertIsNone(out["error"])
        self.assertGreaterEqual(len(out["songs"]), 8)
        for song in out["songs"]:
            with self.subTest(title=song["title"]):
                self.assertNotEqual(song["title"], "")
                self.assertIn(song["beats"], (3, 4))
                self.assertTrue(60 <= song["tempo"] <= 200)
                lines = song["text"].split("\r\n")
                self.assertTrue(any(line.startswith(".") for line in lines))
                self.assertNotIn("\n", song["text"].replace("\r\n", ""))


if __name__ == "__main__":
    CLI, SAMPLE = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
