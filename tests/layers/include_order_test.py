#!/usr/bin/env python3
"""The include-order check on small trees: what it lets through and what it names."""
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "include_order.py")


class IncludeOrderCheck(unittest.TestCase):
    def run_check(self, files, floors="low\nhigh\n"):
        with tempfile.TemporaryDirectory() as root:
            src = os.path.join(root, "src")
            for path, text in files.items():
                full = os.path.join(src, path)
                os.makedirs(os.path.dirname(full), exist_ok=True)
                with open(full, "w", encoding="utf-8") as f:
                    f.write(text)
            os.makedirs(os.path.join(src, "low"), exist_ok=True)
            os.makedirs(os.path.join(src, "high"), exist_ok=True)
            floors_path = os.path.join(root, "floors.txt")
            with open(floors_path, "w", encoding="utf-8") as f:
                f.write(floors)
            done = subprocess.run([sys.executable, SCRIPT, "--src", src, "--floors", floors_path],
                                  capture_output=True, text=True)
            return done.returncode, done.stdout

    def test_downward_includes_pass(self):
        code, out = self.run_check({
            "low/A.h": '#include "low/B.h"\n#include <QString>\n',
            "high/C.cpp": '#include "high/C.h"\n#include "low/A.h"\n',
            "high/ui/W.cpp": '#include "low/ui/V.h"\n#include "high/C.h"\n#include "high/ui/W.h"\n',
            "main.cpp": '#include "high/ui/W.h"\n#include "low/A.h"\n',
        })
        self.assertEqual(code, 0, out)

    def test_each_include_against_the_order_is_named_by_file_and_line(self):
        cases = [
            ("an upward include", {"low/A.cpp": '// x\n\n#include "high/C.h"\n'}, "src/low/A.cpp:3"),
            ("a ui file from outside ui", {"high/C.cpp": '#include "low/ui/V.h"\n'}, "src/high/C.cpp:1"),
            ("a ui folder reaching up", {"low/ui/V.cpp": '#include "low/A.h"\n#include "high/ui/W.h"\n'},
             "src/low/ui/V.cpp:2"),
        ]
        for name, files, where in cases:
            with self.subTest(name):
                code, out = self.run_check(files)
                self.assertEqual(code, 1, out)
                self.assertIn(where + ":", out)

    def test_a_folder_the_floors_do_not_place_fails(self):
        code, out = self.run_check({"extra/X.h": "\n"})
        self.assertEqual(code, 1)
        self.assertIn("src/extra/", out)

    def test_known_exceptions_pass_while_they_occur_and_fail_once_gone(self):
        floors = "low\nhigh\n[known exceptions]\nlow/A.cpp -> high/C.h\n"
        code, out = self.run_check({"low/A.cpp": '#include "high/C.h"\n'}, floors)
        self.assertEqual(code, 0, out)
        code, out = self.run_check({"low/A.cpp": '#include "low/B.h"\n'}, floors)
        self.assertEqual(code, 1)
        self.assertIn("low/A.cpp -> high/C.h", out)


if __name__ == "__main__":
    unittest.main()
