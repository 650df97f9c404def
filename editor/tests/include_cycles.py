"""Fails when the editor's modules include each other in a cycle.

A module is a .h/.cpp pair of one folder; it depends on every module whose header either file
includes. Usage: include_cycles.py <editor folder>
"""
import os
import re
import sys

FOLDERS = ("model", "paint", "render", "control", "music")
INCLUDE = re.compile(r'#include "((?:%s)/[^"]+)\.h"' % "|".join(FOLDERS))


def modules(editor):
    graph = {}
    for folder in FOLDERS:
        path = os.path.join(editor, folder)
        if not os.path.isdir(path):
            continue
        for name in os.listdir(path):
            if not name.endswith((".h", ".cpp")):
                continue
            module = folder + "/" + name.rsplit(".", 1)[0]
            deps = graph.setdefault(module, set())
            with open(os.path.join(path, name), encoding="utf-8") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m and m.group(1) != module:
                        deps.add(m.group(1))
    return graph


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
    found = cycles(modules(sys.argv[1]))
    for part in found:
        print("include cycle:", " ".join(part))
    sys.exit(1 if found else 0)
