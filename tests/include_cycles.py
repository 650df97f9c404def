"""Fails when modules include each other in a cycle, or a folder includes a higher one.

A module is a .h/.cpp pair of one folder; it depends on every module whose header either file
includes. An api/ folder stands at its parent's level. Every C++ file lies in a folder of the
level table, or in a tests/, bench/ or fuzz/ folder of one (the harness of that room); a file
anywhere else fails, so a new folder cannot slip past the guard. Production code never includes
a header of tests, benches or fuzzers. Tests, benches and fuzzers may reach any folder they test,
except that a model room's own harness includes only its room and the rooms below it.
Usage: include_cycles.py <source root>
"""
import os
import re
import sys

# Folders from the bottom up; a folder includes only folders of a lower level.
LEVELS = {
    "tools/records": 0,
    "tools/text": 0,
    "win": 1,
    "com": 2,
    "outside": 3,
    "tools": 4,
    "editor/model/document": 5,
    "editor/model/layout": 6,
    "editor/model/edit": 7,
    "button": 5,
    "editor/paint": 8,
    "editor/music": 8,
    "editor/render": 9,
    "editor/control": 10,
    "app": 11,
}
# Folders that hold no code of their own, only harness beside the rooms within: the model's
# benches and fuzzers drive all three rooms, so they stand at the top one's level.
HARNESS_HOMES = {"editor/model": 7}
# Where a quoted include is looked for, after the including file's own folder.
SEARCH = ("", "editor", "tools", "outside", "button")
HARNESS = ("tests", "bench", "fuzz")
CPP = (".h", ".hh", ".hpp", ".inc", ".c", ".cc", ".cpp", ".cxx")
ROOMS = ("editor/model/document", "editor/model/layout", "editor/model/edit")
# Every form the compiler reads: spaces around '#', quotes or angle brackets.
INCLUDE = re.compile(r'\s*#\s*include\s*["<]([^">]+)[">]')


def folder_of(path):
    """The folder of the level table a path belongs to, or None for a path outside it."""
    best = None
    for folder in LEVELS:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    harness = harness_of(path)
    if harness and os.path.dirname(harness) in HARNESS_HOMES:
        home = os.path.dirname(harness)
        if best is None or len(home) > len(best):
            best = home
    return best


def level_of(path):
    folder = folder_of(path)
    return LEVELS[folder] if folder in LEVELS else HARNESS_HOMES[folder]


def harness_of(path):
    """The tests/, bench/ or fuzz/ folder a path lies in, or None for production code."""
    parts = path.split("/")
    for i, part in enumerate(parts[:-1]):
        if part in HARNESS:
            return "/".join(parts[:i + 1])
    return None


def sources(root):
    """Every C++ file of the tree, build trees and hidden folders aside."""
    for dirpath, dirnames, filenames in os.walk(root):
        dirnames[:] = sorted(d for d in dirnames if not d.startswith(".") and
                             not os.path.isfile(os.path.join(dirpath, d, "CMakeCache.txt")) and
                             not (dirpath == root and d == "build"))
        for name in sorted(filenames):
            if name.endswith(CPP):
                yield os.path.relpath(os.path.join(dirpath, name), root).replace(os.sep, "/")


def resolve(root, including, target):
    bases = (os.path.dirname(including),) + SEARCH
    if harness_of(including) in [room + "/tests" for room in ROOMS]:
        bases += tuple(room + "/tests" for room in ROOMS)  # the rooms' tests share fixtures
    for base in bases:
        path = os.path.normpath(os.path.join(base, target))
        if os.path.isfile(os.path.join(root, path)):
            return path
    return None


def upward(path, target):
    """Why an include of target by path runs the wrong way, or None."""
    a, b = folder_of(path), folder_of(target)
    if harness_of(path) is None and harness_of(target) is not None:
        return "production includes " + harness_of(target) + "/"
    if a is None or b is None:
        return None  # the file outside the table is named on its own
    if harness_of(path) is None:
        if a != b and level_of(target) >= level_of(path):
            return "upward"
        return None
    own = [a + "/" + h for h in HARNESS]
    if a in ROOMS and harness_of(path) in own and a != b and level_of(target) >= level_of(path):
        return "room test upward"
    return None


def modules(root):
    """The production modules' include graph, and the guard's findings as report lines."""
    graph, wrong = {}, []
    for path in sources(root):
        if folder_of(path) is None:
            wrong.append("include outside: %s (in no folder of the level table)" % path)
        production = harness_of(path) is None
        module = path.rsplit(".", 1)[0]
        deps = graph.setdefault(module, set()) if production else set()
        with open(os.path.join(root, path), encoding="utf-8") as f:
            for line in f:
                m = INCLUDE.match(line)
                target = m and resolve(root, path, m.group(1))
                if not target:
                    continue
                dep = target.rsplit(".", 1)[0]
                if dep != module and harness_of(target) is None:
                    deps.add(dep)
                why = upward(path, target)
                if why:
                    wrong.append("include upward: %s -> %s (%s)" % (path, target, why))
    return graph, wrong


def cycles(graph):
    index, low, stack, on, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            if len(part) > 1:
                found.append(sorted(part))

    sys.setrecursionlimit(10000)
    for v in sorted(graph):
        if v not in index:
            visit(v)
    return found


if __name__ == "__main__":
    graph, wrong = modules(sys.argv[1])
    found = cycles(graph)
    for part in found:
        print("include cycle:", " ".join(part))
    for line in wrong:
        print(line)
    sys.exit(1 if found or wrong else 0)
