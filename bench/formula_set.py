"""The benchmark's formula set (formula_set.h beside this file) for Python:
the formulas in our syntax, the signal names and the rows of values, read
from the header so that there is one list."""

import pathlib
import re

_HEADER = pathlib.Path(__file__).with_name("formula_set.h")


def _c_strings(text):
    return [bytes(s, "latin-1").decode("unicode_escape") for s in re.findall(r'"((?:[^"\\]|\\.)*)"', text)]


def _block(source, name):
    m = re.search(name + r"[^=]*=\s*\{(.*?)\};", source, re.S)
    if not m:
        raise ValueError(f"{_HEADER.name} has no {name}")
    return m.group(1)


def load():
    """(formulas, float names, Boolean names, float rows, Boolean rows)."""
    source = _HEADER.read_text()
    entries = re.findall(r'\{\s*("(?:[^"\\]|\\.)*")\s*,\s*("(?:[^"\\]|\\.)*"\s*)\}', _block(source, "kFormulas"), re.S)
    formulas = [_c_strings(ours)[0] for ours, _ in entries]
    floats = _c_strings(_block(source, "kFloatNames"))
    booleans = _c_strings(_block(source, "kBoolNames"))

    def rows(name):
        return [[float(v.rstrip("f")) for v in re.findall(r"-?[0-9.]+f?", r)]
                for r in re.findall(r"\{([^{}]*)\}", _block(source, name))]

    return formulas, floats, booleans, rows("kFloatRows"), rows("kBoolRows")
