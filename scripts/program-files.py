#!/usr/bin/python3
"""Checks that building the target `program` puts in the program folder exactly the files the
program's sources open from that folder. Reads the build graph; builds nothing.
usage: program-files.py <source dir> <build dir> <ninja>"""
import pathlib
import re
import subprocess
import sys

NOT_BUILT = {"帮助文档.DaDur"}  # the help document is the user's own
NOT_OPENED = {"Tavolin.exe", "Tickwell.dll"}  # the program itself; the timer for script clients
OPENED = re.compile(r'(?:CreateFromDll(?:<[^>]*>)?\(|ProgramFolder\(\)\s*\+|ProgramFileBytes\()\s*L"([^"\\]+)')
BY_CONSTANT = re.compile(r"ProgramFolder\(\)\s*\+\s*(k\w+)")
CONSTANT = re.compile(r'(k\w+)\[\]\s*=\s*L"([^"\\]+)')


def opened_files(source):
    names, constants, used = set(), {}, set()
    for folder in ("app", "editor", "tools", "com", "win", "outside", "button"):
        for path in (source / folder).rglob("*.[ch]*"):
            if path.suffix in (".cpp", ".h") and not {"tests", "bench", "fuzz"} & set(path.parts):
                text = path.read_text(encoding="utf-8")
                names.update(OPENED.findall(text))
                used.update(BY_CONSTANT.findall(text))
                constants.update(CONSTANT.findall(text))
    return names | {constants.get(c, c) for c in used}


def built_files(build, ninja):
    """The files under bin/ that `program` depends on, through the utility targets between."""
    seen, todo, found = set(), ["program"], set()
    while todo:
        node = todo.pop()
        if node in seen:
            continue
        seen.add(node)
        query = subprocess.run([ninja, "-C", str(build), "-t", "query", node], capture_output=True, text=True,
                               check=True).stdout
        for line in query.split("outputs:")[0].splitlines()[2:]:
            name = line.strip().lstrip("|").strip()
            if name.startswith("bin/"):
                found.add(name[4:])
            if name.startswith("bin/") or (name and not name.startswith("/") and "." not in name.split("/")[-1]):
                todo.append(name)
    return found


opened = opened_files(pathlib.Path(sys.argv[1]))
built = built_files(pathlib.Path(sys.argv[2]), sys.argv[3])
wrong = [f"opened, not built: {n}" for n in sorted(opened - built - NOT_BUILT)]
wrong += [f"built, never opened: {n}" for n in sorted(built - opened - NOT_OPENED)]
print("\n".join(wrong + [f"{len(opened)} files opened, {len(built)} built"]))
sys.exit(1 if wrong else 0)
