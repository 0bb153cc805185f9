#!/usr/bin/env python3
"""Reports what makes a folder hard to live in: functions longer than a limit, source files
longer than a limit, and include cycles between the folder's headers and sources.

    scripts/structure-check.py [--function-lines 80] [--file-lines 800] FOLDER...

Exits 1 when something is over a limit or a cycle spans more files than --max-cycle allows.
Functions are found by brace matching on the text with comments and strings removed: a body is a
top-level '{' whose preceding text ends in ')' (with optional qualifiers), so classes, namespaces
and initialisers are not counted.
"""
import argparse
import os
import re
import sys

QUALIFIERS = re.compile(r"\)\s*(const|noexcept|override|final|mutable|->\s*[\w:<>&*,\s]+|\s)*$")


def strip(text):
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            seg = text[i:(n if j < 0 else j + 2)]
            out.append("\n" * seg.count("\n"))
            i = n if j < 0 else j + 2
        elif c in "\"'":
            if c == '"' and i > 0 and text[i - 1] == "R":
                m = re.match(r'R"([^(]*)\(', text[i - 1:])
                if m:
                    end = text.find(")" + m.group(1) + '"', i)
                    seg = text[i:end + len(m.group(1)) + 2]
                    out.append('""' + "\n" * seg.count("\n"))
                    i = end + len(m.group(1)) + 2
                    continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def long_functions(path, limit):
    text = strip(open(path, encoding="utf-8", errors="replace").read())
    found, depth, stack = [], 0, []
    for i, c in enumerate(text):
        if c == "{":
            head = text[max(0, i - 300):i]
            is_func = bool(QUALIFIERS.search(head.rstrip())) and not re.search(
                r"\b(if|for|while|switch|catch)\s*\([^;{}]*\)\s*$", head)
            stack.append((is_func and not any(f for f, _ in stack), i))
        elif c == "}" and stack:
            is_func, start = stack.pop()
            if is_func:
                lines = text.count("\n", start, i) + 1
                if lines > limit:
                    line_no = text.count("\n", 0, start) + 1
                    name = re.findall(r"([\w:~]+)\s*\([^()]*\)[^()]*$", text[max(0, start - 300):start])
                    found.append((line_no, lines, name[-1] if name else "?"))
    return found


def include_graph(files, roots):
    graph = {}
    for f in files:
        deps = set()
        for line in open(f, encoding="utf-8", errors="replace"):
            m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if m:
                for r in roots:
                    cand = os.path.normpath(os.path.join(r, m.group(1)))
                    if cand in graph or os.path.exists(cand):
                        deps.add(cand)
                        break
        graph[os.path.normpath(f)] = deps
    return graph


def cycles(graph):
    # Strongly connected components of the header graph: only headers are included, so only
    # they can form a cycle.
    ugraph = {f: {d for d in deps if d.endswith(".h")} for f, deps in graph.items() if f.endswith(".h")}
    index, low, on, stack, out, counter = {}, {}, set(), [], [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in ugraph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                out.append(sorted(comp))

    sys.setrecursionlimit(10000)
    for v in list(ugraph):
        if v not in index:
            visit(v)
    return out


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--function-lines", type=int, default=80)
    ap.add_argument("--file-lines", type=int, default=800)
    ap.add_argument("--max-cycle", type=int, default=4)
    ap.add_argument("folders", nargs="+")
    args = ap.parse_args()
    bad = False
    files = []
    for folder in args.folders:
        for dirpath, _, names in os.walk(folder):
            files += [os.path.join(dirpath, n) for n in names if n.endswith((".cpp", ".h"))]
    for f in sorted(files):
        n = sum(1 for _ in open(f, encoding="utf-8", errors="replace"))
        if n > args.file_lines:
            print(f"{f}: {n} lines (limit {args.file_lines})")
            bad = True
        for line_no, lines, name in long_functions(f, args.function_lines):
            print(f"{f}:{line_no}: {name} is {lines} lines (limit {args.function_lines})")
            bad = True
    for comp in cycles(include_graph(files, ["."])):
        over = len(comp) > args.max_cycle
        print(f"include cycle of {len(comp)} headers: " + " ".join(comp))
        bad = bad or over
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
