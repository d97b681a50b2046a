"""veltra: the Veltra formula engine over pandas and numpy data.

    import veltra
    f = veltra.Formula("druck * durchfluss / 36")
    leistung = f(df)                       # float32 array, one value per row
    df2 = veltra.evaluate(df, "leistung_kW=druck * durchfluss / 36",
                          "laeuft=pumpe_ein und nicht stoerung",
                          booleans=("pumpe_ein", "stoerung"))
    veltra.format(leistung, "####.##")     # texts under a format mask

Values are single-precision floats under the engine's rules (division by
zero gives the largest float, ln(0) gives -1e24, a NaN passes on), the same
bits as the formula tool and the library's C API give.
"""

import numpy as np

from . import _veltra
from ._columns import ColumnError
from ._formula import Formula, FormulaError
from ._frame import evaluate

__all__ = ["Formula", "FormulaError", "ColumnError", "evaluate", "format"]


def format(values, mask=""):
    """Texts of values (as float32) under a format mask of the library:
    "####.##" width and decimals, "0###" leading zeros, "E#.###" exponent,
    "xxxx" hexadecimal, "bbbb" binary, "hh:mm:ss.sss" duration; no mask
    gives six significant digits. A value too wide for its mask is the mask
    in "#". A scalar gives one text, anything else a list."""
    array = np.asarray(values)
    if array.dtype.kind not in "fiub":
        raise TypeError(f"format takes numbers, not {array.dtype} values")
    texts = _veltra.format(array.astype(np.float32).ravel(), mask)
    return texts[0] if array.ndim == 0 else texts
