"""Plants one wrong include of each kind in a small tree and expects the layer guard to name it."""
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import include_cycles  # noqa: E402

# A clean tree: every include runs down, and the tests reach what they may.
CLEAN = {
    "tools/records/Records.h": "#pragma once\n",
    "tools/Reader.h": '#pragma once\n#include "records/Records.h"\n',
    "tools/Reader.cpp": '#include "Reader.h"\n#include <vector>\n',
    "tools/api/IReader.h": "#pragma once\n#include <windows.h>\n",
    "tools/tests/Fake.h": '#pragma once\n#include "control/Window.h"\n',
    "tools/bench/Bench.h": "#pragma once\n",
    "tools/fuzz/Seed.h": "#pragma once\n",
    "editor/model/document/Store.h": '#pragma once\n#include "Reader.h"\n',
    "editor/model/document/tests/StoreFixture.h": '#pragma once\n#include "model/document/Store.h"\n',
    "editor/model/layout/Lines.h": '#pragma once\n#include "model/document/Store.h"\n',
    "editor/model/layout/tests/LinesTests.cpp": '#include "StoreFixture.h"\n#include "model/layout/Lines.h"\n',
    "editor/model/edit/Commands.h": '#pragma once\n#include "model/layout/Lines.h"\n',
    "editor/model/edit/tests/EditFixture.h": '#pragma once\n#include "model/layout/Lines.h"\n',
    "editor/model/bench/BenchDocument.h": '#pragma once\n#include "model/edit/Commands.h"\n',
    "editor/model/fuzz/words.cpp": '#include "model/bench/BenchDocument.h"\n',
    "build/native/CMakeFiles/CompilerId.cpp": "int main() {}\n",
    "editor/control/Window.h": '#pragma once\n#include "model/layout/Lines.h"\n',
    "editor/control/tests/WindowTest.cpp": '#include "control/Window.h"\n#include "Fake.h"\n',
}

# (file, line planted in it, what the guard must report)
PLANTED = [
    ("tools/Reader.cpp", "#include <model/layout/Lines.h>", "tools/Reader.cpp -> editor/model/layout/Lines.h (upward)"),
    ("tools/Reader.cpp", '  #  include "control/Window.h"', "tools/Reader.cpp -> editor/control/Window.h (upward)"),
    ("tools/api/IReader.h", '#include "control/Window.h"', "tools/api/IReader.h -> editor/control/Window.h (upward)"),
    ("tools/Reader.cpp", '#include "tests/Fake.h"', "(production includes tools/tests/)"),
    ("editor/control/Window.h", '#include "bench/Bench.h"', "(production includes tools/bench/)"),
    ("tools/Reader.h", "#include <fuzz/Seed.h>", "(production includes tools/fuzz/)"),
    ("editor/model/document/tests/StoreFixture.h", '#include "model/layout/Lines.h"', "(room test upward)"),
    ("editor/model/layout/tests/LinesTests.cpp", '#include "EditFixture.h"', "(room test upward)"),
    ("editor/model/document/Store.h", '#include "model/document/Marks.h"', "include cycle"),
    ("editor/model/document/Store.h", '#include "model/bench/BenchDocument.h"',
     "(production includes editor/model/bench/)"),
    ("editor/model/layout/bench/LinesBench.cpp", '#include "model/edit/Commands.h"', "(room test upward)"),
    ("editor/Stray.h", "#pragma once", "include outside: editor/Stray.h"),
    ("editor/model/Stray.h", "#pragma once", "include outside: editor/model/Stray.h"),
    ("scripts/Tool.cpp", "int main() {}", "include outside: scripts/Tool.cpp"),
]


def run(tree):
    with tempfile.TemporaryDirectory() as root:
        for path, text in tree.items():
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        graph, wrong = include_cycles.modules(root)
        found = include_cycles.cycles(graph)
    return wrong + ["include cycle: " + " ".join(c) for c in found]


class LayerGuard(unittest.TestCase):
    def test_clean_tree_passes(self):
        self.assertEqual(run(CLEAN), [])

    def test_each_planted_include_is_named(self):
        for path, line, report in PLANTED:
            with self.subTest(path=path, line=line):
                tree = dict(CLEAN)
                tree[path] = tree.get(path, "") + line + "\n"
                if report == "include cycle":
                    tree["editor/model/document/Marks.h"] = '#pragma once\n#include "model/document/Store.h"\n'
                found = run(tree)
                self.assertTrue(any(report in f for f in found), found)


if __name__ == "__main__":
    unittest.main()
