#!/usr/bin/env python3
# Every Text("...") id of the product has an entry, translated, in each catalog of
# translations/, with the same %N parts; and every entry is an id some text uses.
# Usage: texts_test.py SOURCE_DIR. Says each fault as FILE:LINE and fails.
import codecs
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

root = sys.argv[1]
NOT_PRODUCT = {"tests", "fuzz", "bench", "build"}
LITERAL = r'"(?:[^"\\\n]|\\.)*"'


def without_comments(source):
    # Comments become spaces, line feeds kept, so that offsets still give the line.
    return re.sub(r'//[^\n]*|/\*.*?\*/|' + LITERAL,
                  lambda m: m.group(0) if m.group(0).startswith('"') else re.sub(r"[^\n]", " ", m.group(0)),
                  source, flags=re.S)


def decoded(literals):
    parts = re.findall(LITERAL, literals)
    return "".join(codecs.escape_decode(p[1:-1].encode())[0].decode() for p in parts)


ids = {}
for folder, dirs, files in os.walk(root):
    dirs[:] = [d for d in dirs if not d.startswith(".") and not (folder == root and d in NOT_PRODUCT)]
    for name in files:
        if not name.endswith((".cpp", ".h")):
            continue
        path = os.path.relpath(os.path.join(folder, name), root)
        source = without_comments(open(os.path.join(folder, name), encoding="utf-8").read())
        for found in re.finditer(r"\bText\(\s*((?:" + LITERAL + r"\s*)+)", source):
            ids.setdefault(decoded(found.group(1)).strip(), f"{path}:{source.count(chr(10), 0, found.start()) + 1}")

faults = []
for catalog in sorted(os.listdir(os.path.join(root, "translations"))):
    path = os.path.join("translations", catalog)
    entries = {}
    for message in ElementTree.parse(os.path.join(root, path)).getroot().iter("message"):
        entries[message.findtext("source")] = message.find("translation")
    for id, where in sorted(ids.items()):
        translation = entries.get(id)
        if translation is None:
            faults.append(f"{where}: {path} has no entry for {id!r}")
        elif translation.get("type") in ("unfinished", "vanished", "obsolete") or not translation.text:
            faults.append(f"{path}: {id!r} is not translated")
        elif sorted(re.findall(r"%\d", translation.text)) != sorted(re.findall(r"%\d", id)):
            faults.append(f"{path}: {id!r} and its translation {translation.text!r} have other parts")
    faults += [f"{path}: the entry {source!r} is the id of no text" for source in sorted(set(entries) - set(ids))]

print("\n".join(faults) if faults else f"{len(ids)} texts, each in every catalog")
sys.exit(1 if faults else 0)
