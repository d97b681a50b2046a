"""Result columns added to a data frame, under the formula tool's rules."""

import re

import pandas as pd

from ._columns import ColumnError
from ._formula import Formula, column_names

# A name a formula can read: a letter or "_" first, then letters, digits,
# "_" and "."; letters include those of code page 1252 above 0x7F.
_NAME = re.compile(r"[A-Za-z_\u00c0-\u00d6\u00d8-\u00f6\u00f8-\u00ff][A-Za-z0-9_.\u00c0-\u00d6\u00d8-\u00f6\u00f8-\u00ff]*\Z")


def split_named(spec):
    """``"NAME=FORMULA"`` -> (NAME, FORMULA); a formula without a name (or
    whose first "=" belongs to "==", "<=", ">=", "!=") is its own name."""
    eq = spec.find("=")
    if eq <= 0 or spec[eq + 1:eq + 2] == "=" or spec[eq - 1] in "<>!":
        return spec, spec
    name = spec[:eq].strip(" \t")
    if not name:
        return spec, spec
    return name, spec[eq + 1:]


def signal_frame(df, names):
    """The frame the formulas read: the columns under the names the formulas
    use. `names` maps a formula name to a header that is none ("Druck
    vorne"). A name that stands for two columns is an error."""
    headers = column_names(df)
    renamed = {}
    for name, header in (names or {}).items():
        if not _NAME.match(name):
            raise ValueError(f"{name!r} is no formula name (a letter or _ first, then letters, digits, _ or .)")
        if header not in headers:
            raise ColumnError(f"no column {header!r}; the columns are: {', '.join(headers)}")
        renamed[header] = name
    seen = {}
    for header in headers:
        name = renamed.get(header, header)
        if name in seen:
            raise ValueError(f"the name {name!r} stands for two columns: {seen[name]!r} and {header!r}")
        seen[name] = header
    if not renamed:
        return df
    return {renamed.get(h, h): df[h] for h in headers}


def evaluate(df, *formulas, booleans=None, names=None):
    """A copy of `df` with one result column per formula, as the formula tool
    writes them: ``"leistung_kW=druck * durchfluss / 36"`` heads its column
    with ``leistung_kW``, a formula without a name with its text. Columns of
    dtype bool and those listed in `booleans` (names or headers) are Boolean
    signals. Every formula is compiled before any row is read."""
    headers = column_names(df)
    frame = signal_frame(df, names)
    given = set(booleans or ())
    renamed = {h: n for n, h in (names or {}).items()}
    boolean_names = {renamed.get(h, h) for h in headers
                     if h in given or renamed.get(h, h) in given or pd.api.types.is_bool_dtype(df[h].dtype)}
    unknown = given - set(headers) - set(renamed.values())
    if unknown:
        raise ColumnError(f"no column is named {sorted(unknown)[0]!r}; the columns are: {', '.join(headers)}")
    compiled = []
    for spec in formulas:
        result_name, text = split_named(spec)
        if result_name in headers or any(result_name == n for n, _ in compiled):
            raise ValueError(f"the result column {result_name!r} is already a column")
        compiled.append((result_name, Formula(text, booleans=sorted(boolean_names))))
    out = df.copy(deep=False)
    for result_name, formula in compiled:
        out[result_name] = formula(frame)
    return out
