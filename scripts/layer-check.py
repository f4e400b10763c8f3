#!/usr/bin/env python3
"""Checks that no folder includes a header of a folder above it in the layers, and prints the
include graph by folder. Exit status 1 names every include that points up."""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Lowest first; folders on one line may not include each other.
LAYERS = [
    ["model", "platform/files"],
    ["file", "render", "table/text"],
    ["report"],
    ["platform"],
    ["context"],
    ["widgets"],
    ["dialogs", "diagrams", "help", "table/window", "document", "balance", "exports"],
    ["app"],
]
TABLE_TEXT = {"PivotTableText", "PivotTableCsv"}


def folder_of(path):
    rel = os.path.relpath(path, ROOT)
    parts = rel.split(os.sep)
    if parts[0] == "platform" and len(parts) > 2 and parts[1] == "files":
        return "platform/files"
    if parts[0] == "table":
        return "table/text" if os.path.splitext(parts[1])[0] in TABLE_TEXT else "table/window"
    return parts[0]


def main():
    level = {f: i for i, layer in enumerate(LAYERS) for f in layer}
    headers = {}
    for folder in level:
        base = os.path.join(ROOT, folder.split("/")[0] if folder.startswith("table") else folder)
        for dirpath, _, files in os.walk(base):
            if "fuzz" in dirpath:
                continue
            for f in files:
                if f.endswith(".h"):
                    headers[f] = folder_of(os.path.join(dirpath, f))
    graph, faults = {}, []
    for folder in level:
        base = os.path.join(ROOT, folder.split("/")[0] if folder.startswith("table") else folder)
        for dirpath, _, files in os.walk(base):
            if "fuzz" in dirpath:
                continue
            for f in files:
                if not f.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, f)
                src = folder_of(path)
                for line in open(path, encoding="utf-8"):
                    m = re.match(r'#include "([^"]+)"', line)
                    if not m or m.group(1) not in headers:
                        continue
                    dst = headers[m.group(1)]
                    if dst == src:
                        continue
                    graph.setdefault(src, set()).add(dst)
                    if level[dst] >= level[src]:
                        faults.append(f"{os.path.relpath(path, ROOT)} includes {m.group(1)} ({dst})")
    for src in sorted(graph):
        print(f"{src} -> {', '.join(sorted(graph[src]))}")
    for fault in faults:
        print("points up:", fault)
    print(f"{len(faults)} includes point up")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
