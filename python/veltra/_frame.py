"""Result columns added to a data frame, under the formula tool's rules."""

import re

import pandas as pd

from ._columns import ColumnError
from ._formula import Formula, column_names

# A name a formula can read: a letter (ASCII or one of äöüÄÖÜß) or "_"
# first, then those, digits and ".".
_NAME = re.compile(r"[A-Za-z_äöüÄÖÜß][A-Za-z0-9_.äöüÄÖÜß]*\Z")


def split_named(named):
    """``"NAME=FORMULA"`` -> (NAME, FORMULA); a formula without a name (or
    whose first "=" belongs to "==", "<=", ">=", "!=") is its own name."""
    eq = named.find("=")
    if eq <= 0 or named[eq + 1:eq + 2] == "=" or named[eq - 1] in "<>!":
        return named, named
    name = named[:eq].strip(" \t")
    if not name:
        return named, named
    return name, named[eq + 1:]


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
    # The dtypes, not the rows: no row is read before every formula compiled.
    dtypes = dict(df.dtypes.items()) if hasattr(df, "dtypes") else {
        str(k): getattr(v, "dtype", None) for k, v in df.items()}
    boolean_names = {renamed.get(h, h) for h in headers
                     if h in given or renamed.get(h, h) in given
                     or (dtypes.get(h) is not None and pd.api.types.is_bool_dtype(dtypes[h]))}
    unknown = given - set(headers) - set(renamed.values())
    if unknown:
        raise ColumnError(f"no column is named {sorted(unknown)[0]!r}; the columns are: {', '.join(headers)}")
    compiled = []
    for named in formulas:
        result_name, text = split_named(named)
        if result_name in headers or any(result_name == n for n, _ in compiled):
            raise ValueError(f"the result column {result_name!r} is already a column")
        compiled.append((result_name, Formula(text, booleans=sorted(boolean_names))))
    out = df.copy(deep=False)
    converted = {}
    for result_name, formula in compiled:
        out[result_name] = formula(frame, converted)
    return out
