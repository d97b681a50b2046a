#!/usr/bin/env python3
"""The members of the DLL's exported classes (ctlcalc, tmsmap) under both C++
ABIs of i686 Windows, read from the public headers by clang's two manglers.

  class-exports.py list               one line per member: kind, Microsoft name, g++ name
  class-exports.py check DLL OBJDUMP  the DLL exports every member under its
                                      Microsoft name as its kind says, and no other

Kinds: "alias"  the g++ member serves Microsoft callers as it is (thiscall in
                both, same arguments and result), exported under both names;
       "thunk"  a constructor (must return this), a member defined in the
                header (g++ exports no code for it) or a member returning the
                class by value (Microsoft's caller passes a hidden result
                pointer): a small adapter in src/<subsystem>/msvc32/;
       "none"   cannot be made compatible (see the class's header)."""
import json
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CLASSES = ("ctlcalc", "tmsmap")
SOURCE = '#include <veltra/ctlcalc.h>\n#include <veltra/tmsmap.h>\n'


def members(target):
    out = subprocess.run(
        ["clang++", "--target=" + target, "-std=c++17", "-fsyntax-only", "-x", "c++", "-",
         "-I" + os.path.join(ROOT, "tests/consumer/msvc"), "-I" + os.path.join(ROOT, "include"),
         "-Xclang", "-ast-dump=json"],
        input=SOURCE, capture_output=True, text=True, check=True).stdout
    found = []
    for decl in json.loads(out)["inner"]:
        if decl.get("kind") != "CXXRecordDecl" or decl.get("name") not in CLASSES:
            continue
        if not decl.get("completeDefinition"):
            continue
        for m in decl.get("inner", []):
            if m["kind"] not in ("CXXMethodDecl", "CXXConstructorDecl", "CXXDestructorDecl",
                                 "CXXConversionDecl") or m.get("isImplicit"):
                continue
            found.append((decl["name"], m))
    return found


def table():
    rows = []
    for (cls, ms), (_, gnu) in zip(members("i686-pc-windows-msvc"), members("i686-w64-mingw32")):
        name, itanium = ms["mangledName"], gnu["mangledName"][1:]  # without the i386 '_'
        if ms["kind"] == "CXXDestructorDecl":
            name = "??1%s@@QAE@XZ" % cls  # the complete-object destructor
        qual = ms["type"]["qualType"]
        result = qual.split("(")[0].strip()
        defined_here = any(i["kind"] == "CompoundStmt" for i in ms.get("inner", [])) or \
            ms.get("explicitlyDefaulted") == "default"
        if "::*" in qual:
            kind = "none"
        elif ms["kind"] == "CXXConstructorDecl" or defined_here or result == cls:
            kind = "thunk"
        else:
            kind = "alias"
        rows.append((kind, name, itanium))
    return rows


def exports(dll, objdump):
    dump = subprocess.run([objdump, "-p", dll], capture_output=True, text=True, check=True).stdout
    rva = {int(i): int(a, 16) for i, a in
           re.findall(r"^\s*\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA", dump, re.M)}
    names = dump.split("[Ordinal/Name Pointer] Table", 1)[1]
    return {n: rva[int(i)] for i, n in re.findall(r"^\s*\[\s*(\d+)\] (\S+)$", names, re.M)}


def check(dll, objdump):
    got = exports(dll, objdump)
    wrong = []
    want = set()
    for kind, name, itanium in table():
        if kind == "none":
            continue
        want.add(name)
        if name not in got:
            wrong.append("missing: " + name)
        elif kind == "alias" and got[name] != got.get(itanium):
            wrong.append("not the code of %s: %s" % (itanium, name))
        elif kind == "thunk" and got[name] == got.get(itanium):
            wrong.append("the g++ code itself, not an adapter: " + name)
    wrong += ["not a member: " + n for n in sorted(got) if n.startswith("?") and n not in want]
    for w in wrong:
        print(w)
    if not wrong:
        print("i686 DLL: %d members of ctlcalc and tmsmap also under Microsoft's names" % len(want))
    return 1 if wrong else 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["list"]:
        for row in table():
            print(" ".join(row))
    elif sys.argv[1:2] == ["check"] and len(sys.argv) == 4:
        sys.exit(check(sys.argv[2], sys.argv[3]))
    else:
        sys.exit(__doc__)
