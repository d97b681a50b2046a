"""Columns as the engine reads them.

The rule for a float signal: a one-dimensional float32 array is read as it
is, read-only or not, without a copy when it is contiguous (a strided view is
copied). Any other real number dtype (float16, float64, integers, bool) is
converted to float32, rounding to the nearest float as reading the number
from text would. Text, dates, complex numbers and other objects are refused:
convert them first (``pandas.to_numeric``, say).

The rule for a Boolean signal: bool as it is; integers and floats when every
value is 0 or 1; text (or Python objects) when every cell is one of the
words the formula tool reads: 0/1, ein/aus, true/false, on/off, high/low, in
any case, blanks around them allowed.
"""

import numpy as np
import pandas as pd

_FALSE_WORDS = ("0", "aus", "false", "off", "low")
_TRUE_WORDS = ("1", "ein", "true", "on", "high")
WORD_LIST = "0/1, ein/aus, true/false, on/off, high/low"


class ColumnError(LookupError):
    """A column the formula reads is missing, or is of no usable kind."""

    def __str__(self):
        return str(self.args[0]) if self.args else ""


def _as_numpy(column):
    """The values of a Series, array or sequence as a numpy array; pandas'
    nullable types give NaN (float) or None (else) for a missing value."""
    if isinstance(column, np.ndarray):
        return column
    to_numpy = getattr(column, "to_numpy", None)
    if to_numpy is not None:
        dtype = getattr(column, "dtype", None)
        kind = getattr(dtype, "kind", "O")
        if not isinstance(dtype, np.dtype) and kind in "fiu":
            return to_numpy(dtype=np.float64, na_value=np.nan)
        return to_numpy()
    return np.asarray(column)


def _one_dimension(name, values):
    if values.ndim != 1:
        raise ColumnError(f"column {name!r} has {values.ndim} dimensions; a column has one")
    return values


def float_column(name, column):
    values = _one_dimension(name, _as_numpy(column))
    if values.dtype == np.float32:
        return np.ascontiguousarray(values)
    if values.dtype.kind in "fiub":
        return values.astype(np.float32)
    raise ColumnError(
        f"column {name!r} holds {values.dtype} values, not numbers; a float signal takes a "
        f"numeric column (convert text with pandas.to_numeric first)")


def _not_boolean(name, values, bad):
    row = int(np.flatnonzero(bad)[0])
    return ColumnError(
        f"column {name!r} is no Boolean column: row {row} holds {values[row]!r} "
        f"(a Boolean signal takes bool, 0/1 or the words {WORD_LIST})")


def boolean_column(name, column):
    values = _one_dimension(name, _as_numpy(column))
    kind = values.dtype.kind
    if kind == "b":
        return values.astype(np.int16)
    if kind in "iuf":
        bad = (values != 0) & (values != 1)
        if bad.any():
            raise _not_boolean(name, values, bad)
        if values.dtype == np.int16:
            return np.ascontiguousarray(values)
        return values.astype(np.int16)
    if kind in "OUS":
        # A column of words holds few distinct cells: each is read once, and
        # the rows take their cell's truth (-1 for no word) from a small
        # int16 table, without a Python object per row.
        codes, cells = pd.factorize(values, use_na_sentinel=False)
        table = np.array([_NO_WORD if t is None else t for t in map(_cell_truth, cells)], dtype=np.int16)
        truths = table[codes]
        if (table == _NO_WORD).any():  # every cell of the table occurs in a row
            raise _not_boolean(name, values, truths == _NO_WORD)
        return truths
    raise ColumnError(f"column {name!r} holds {values.dtype} values; a Boolean signal takes "
                      f"bool, 0/1 or the words {WORD_LIST}")


_WORDS = dict.fromkeys(_FALSE_WORDS, 0) | dict.fromkeys(_TRUE_WORDS, 1)
_NO_WORD = -1


def _cell_truth(cell):
    """0 or 1 for a cell of a Boolean column of words, None for another."""
    if isinstance(cell, (bool, np.bool_)):
        return int(cell)
    if isinstance(cell, bytes):
        cell = cell.decode("latin-1")
    if isinstance(cell, str):
        return _WORDS.get(cell.strip(" \t").lower())
    if isinstance(cell, (int, float, np.integer, np.floating)) and cell in (0, 1):
        return int(cell)
    return None
