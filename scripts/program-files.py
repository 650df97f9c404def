#!/usr/bin/python3
"""Compares what building the target `program` puts in the program folder with the files the
program opens from its own folder, as its sources name them, so that `make run` gives a newcomer
the whole program. Reads the build graph only; builds nothing.

usage: program-files.py <source dir> <build dir> <ninja>
"""
import pathlib
import re
import subprocess
import sys

# Opened from the program's folder, not made by the build: the help document is the user's own.
NOT_BUILT = {"帮助文档.DaDur"}
# Built beside the program for other clients: scripts reach the timer through its DLL.
NOT_OPENED = {"Tickwell.dll"}

SOURCE_FOLDERS = ("app", "editor", "tools", "com", "win", "outside", "button")
SKIPPED_FOLDERS = {"tests", "bench", "fuzz"}
OPENED = [
    re.compile(r'CreateFromDll(?:<[^>]*>)?\(\s*L"([^"\\]+)'),
    re.compile(r'ProgramFolder\(\)\s*\+\s*L"([^"\\]+)'),
    re.compile(r'ProgramFileBytes\(\s*L"([^"\\]+)'),
]
BY_CONSTANT = re.compile(r"ProgramFolder\(\)\s*\+\s*(k\w+)")
CONSTANT = re.compile(r'(k\w+)\[\]\s*=\s*L"([^"\\]+)')


def opened_files(source: pathlib.Path) -> set[str]:
    names, constants, used = set(), {}, set()
    for folder in SOURCE_FOLDERS:
        for path in (source / folder).rglob("*"):
            if path.suffix not in (".cpp", ".h") or SKIPPED_FOLDERS & set(path.parts):
                continue
            text = path.read_text(encoding="utf-8")
            for pattern in OPENED:
                names.update(pattern.findall(text))
            used.update(BY_CONSTANT.findall(text))
            constants.update(CONSTANT.findall(text))
    unknown = used - constants.keys()
    if unknown:
        sys.exit(f"names of opened files not found: {sorted(unknown)}")
    return names | {constants[c] for c in used}


def built_files(build: pathlib.Path, ninja: str) -> set[str]:
    """The files under bin/ that `program` depends on, through the phony targets between."""
    seen, todo, found = set(), ["program"], set()
    while todo:
        node = todo.pop()
        if node in seen:
            continue
        seen.add(node)
        out = subprocess.run([ninja, "-C", str(build), "-t", "query", node], capture_output=True, text=True,
                             check=True).stdout
        inputs = out.split("outputs:")[0].splitlines()[2:]
        for line in inputs:
            name = line.strip().lstrip("|").strip()
            if name.startswith("bin/"):
                found.add(name[4:])
                todo.append(name)
            elif name and not name.startswith("/") and "." not in pathlib.PurePosixPath(name).name:
                todo.append(name)  # a utility target such as data/PageTexture
    return found


def main() -> int:
    source, build, ninja = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
    opened = opened_files(source)
    built = built_files(build, ninja)
    missing = sorted(opened - built - NOT_BUILT)
    extra = sorted(built - opened - NOT_OPENED - {"Tavolin.exe"})
    for name in missing:
        print(f"opened by the program, not built by `program`: {name}")
    for name in extra:
        print(f"built by `program`, never opened: {name}")
    print(f"{len(opened)} files opened, {len(built)} built")
    return 1 if missing or extra else 0


if __name__ == "__main__":
    sys.exit(main())
