#!/usr/bin/env python3
"""The house check finds each kind of breach in a small tree, and passes a clean one."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "house-check.py")


def run(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as source:
                source.write(text)
        done = subprocess.run([sys.executable, CHECK, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class HouseCheck(unittest.TestCase):
    def test_clean_tree_passes(self):
        status, out = run({"core/a.h": '#include "common/b.h"\n#include <QString>\n',
                           "common/b.h": "", "core/ui/s.cpp": '#include "platform/p.h"\n#include <QWidget>\n',
                           "platform/p.h": '#include "widgets/w.h"\n', "widgets/w.h": "",
                           "app/main.cpp": '#include "core/ui/s.h"\n', "core/ui/s.h": "",
                           # a unit's "_part" file belongs to it: no circle
                           "core/m.h": "", "core/m_editor.h": '#include "core/m.h"\n',
                           "core/m.cpp": '#include "core/m_editor.h"\n'})
        self.assertEqual((status, out.count("\n")), (0, 1), out)

    def test_each_breach_is_found(self):
        status, out = run({
            "core/a.cpp": '#include "app/menu.h"\n#include "core/ui/s.h"\n#include "widgets/w.h"\n'
                          '#include "platform/p.h"\n#include <QPainter>\n',
            "core/ui/s.h": '#include "app/menu.h"\n', "widgets/w.h": "", "platform/p.h": "",
            "app/menu.h": "", "tests/t.cpp": '#include "app/menu.h"\n',
            "loop/x.h": '#include "loop/y.h"\n', "loop/y.cpp": '#include "loop/x.h"\n',
            "loop/y.h": "", "loop/x.cpp": ""})
        self.assertEqual(status, 1)
        for finding in ["core/a.cpp:1: includes app/menu.h from below app/",
                        "core/a.cpp:2: core folder includes core/ui/s.h",
                        "core/a.cpp:3: core folder includes widgets/w.h",
                        "core/a.cpp:4: core folder includes platform/p.h",
                        "core/a.cpp:5: core folder includes the Qt UI header <QPainter>",
                        "core/ui/s.h:1: includes app/menu.h from below app/",
                        "include circle among: loop/x, loop/y"]:
            self.assertIn(finding, out)
        self.assertNotIn("tests/", out)
        self.assertIn("house check: 7 finding(s)", out)


if __name__ == "__main__":
    unittest.main()
