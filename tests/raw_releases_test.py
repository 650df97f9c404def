"""Plants raw releases in a small tree and expects the grep of make check to name those outside the kits."""
import os
import subprocess
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts", "raw-releases.sh")

# (file, text, whether the grep names it)
PLANTED = [
    ("win/GdiHandles.h", "~WindowDc() { ReleaseDC(window_, dc_); }", False),
    ("com/Variant.h", "~Variant() { VariantClear(&v_); }", False),
    ("build/win/gen.h", "VariantClear(&v);", False),
    ("app/Notes.h", "// what the caller frees (VariantClear).", False),
    ("app/Panel_win.cpp", "VariantClear (&v);", True),
    ("app/win/Stray_win.h", "ReleaseDC(w, dc);", True),
    ("editor/control/Ime_win.cpp", "ImmReleaseContext(w, imc);", True),
    ("tools/tests/Array_win.cpp", "SafeArrayUnaccessData(a);", True),
]


class RawReleases(unittest.TestCase):
    def test_releases_outside_the_kits_are_named(self):
        with tempfile.TemporaryDirectory() as root:
            for path, text, _ in PLANTED:
                os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
                with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                    f.write(text + "\n")
            run = subprocess.run(["bash", SCRIPT, root], capture_output=True, text=True)
        self.assertEqual(run.returncode, 1, run.stdout)
        for path, _, named in PLANTED:
            with self.subTest(path=path):
                self.assertEqual(named, path + ":" in run.stdout, run.stdout)


if __name__ == "__main__":
    unittest.main()
