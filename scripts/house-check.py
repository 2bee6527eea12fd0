#!/usr/bin/env python3
"""The house check: the layering rules of docs/architecture.md, over the sources.

Fails (exit status 1, one line per finding) on
- an include of app/ from outside app/ (tests/ and tools/ excepted),
- an include of a ui/ folder, platform/ or widgets/ from a core folder,
- a Qt Widgets, Gui or PrintSupport header included in a core folder,
- an include circle between files (a header, its source and its "_part"
  files count as one).
Usage: house-check.py [source root]   (default: the folder above this script)
"""
import os
import re
import sys

SOURCE_SUFFIXES = (".h", ".cpp")
SKIPPED = {"tests", "tools", "bench", "examples", "packaging", "docs", "scripts", ".git", ".ci"}
UI_LIBRARY = ("app", "platform", "widgets")
GUI_HEADERS = re.compile(
    r"^(QtWidgets|QtGui|QtPrintSupport|QPrint\w*|QPainter\w*|QWidget|QApplication|"
    r"QMainWindow|QDialog\w*|QMessageBox|QAction|QMenu\w*|QColor|QFont\w*|QImage|QPixmap|"
    r"QIcon|QPen|QBrush|QKeySequence|QPageLayout|QPageSize|QPdfWriter|QTextDocument|"
    r"QLabel|QLineEdit|QComboBox|QCheckBox|QPushButton|QGuiApplication|QScreen|QValidator)$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def is_ui_folder(folder):
    parts = folder.split("/")
    return parts[0] in UI_LIBRARY or "ui" in parts


def sources(root):
    for top, dirs, files in os.walk(root):
        rel_top = os.path.relpath(top, root)
        if rel_top == ".":
            dirs[:] = sorted(d for d in dirs if d not in SKIPPED and not d.startswith("build"))
            continue
        dirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.join(rel_top, name).replace(os.sep, "/")


def includes(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1) == '"', match.group(2)


def layer_findings(path, number, local, target):
    folder = os.path.dirname(path)
    where = f"{path}:{number}: "
    if local and target.startswith("app/") and not folder.startswith("app"):
        yield where + f"includes {target} from below app/"
    if is_ui_folder(folder):
        return
    if local and is_ui_folder(os.path.dirname(target)) and not target.startswith("app/"):
        yield where + f"core folder includes {target}"
    if not local and GUI_HEADERS.match(target.split("/")[-1]):
        yield where + f"core folder includes the Qt UI header <{target}>"


def unit(path, known):
    """A header and its sources are one unit; so is "<unit>_<part>.cpp" or .h."""
    stem = os.path.splitext(path)[0]
    base = stem.rsplit("_", 1)[0]
    if base != stem and (base + ".h" in known or base + ".cpp" in known):
        return base
    return stem


def circles(graph):
    """Strongly connected groups of more than one unit (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for user in sorted(graph.get(node, ())):
            if user not in index:
                visit(user)
                low[node] = min(low[node], low[user])
            elif user in on_stack:
                low[node] = min(low[node], index[user])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    root = os.path.abspath(root)
    paths = list(sources(root))
    known = set(paths)
    findings, graph = [], {}
    for path in paths:
        for number, local, target in includes(root, path):
            findings.extend(layer_findings(path, number, local, target))
            if local and target in known and unit(target, known) != unit(path, known):
                graph.setdefault(unit(path, known), set()).add(unit(target, known))
    for group in circles(graph):
        findings.append("include circle among: " + ", ".join(group))
    for finding in findings:
        print(finding)
    if findings:
        print(f"house check: {len(findings)} finding(s)")
        return 1
    print(f"house check: {len(paths)} files, no upward include, no circle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
