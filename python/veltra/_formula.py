"""A compiled formula and its errors."""

from collections.abc import Mapping

import numpy as np

from . import _veltra
from ._columns import ColumnError, boolean_column, float_column

# The engine reads and writes code page 1252.
ENCODING = "cp1252"
MAX_FORMULA_BYTES = 4095


class FormulaError(ValueError):
    """A formula that does not compile: the engine's error code, the position
    (characters from the start of the text) and its German text."""

    def __init__(self, text, code, position, message):
        self.text, self.code, self.position, self.message = text, code, position, message
        super().__init__(f"{message} (error {code})\n  {text}\n  {' ' * position}^")


def _engine_text(what, text):
    try:
        return text.encode(ENCODING)
    except UnicodeEncodeError as e:
        raise FormulaError(text, None, e.start, f"{what} holds {text[e.start]!r}, which the engine cannot read")


def column_names(data):
    return [str(c) for c in data.keys()] if isinstance(data, Mapping) else [str(c) for c in data.columns]


class Formula:
    """``Formula("druck * durchfluss / 36")`` compiles a formula; calling it
    with a pandas DataFrame or a mapping of arrays evaluates every row and
    returns a float32 array (bool for a Boolean formula). Names listed in
    `booleans` are Boolean signals, every other name a float signal.

    One Formula may be called from several threads: the calls take turns on
    it, without Python's lock held. Distinct Formula objects evaluate at the
    same time."""

    def __init__(self, text, booleans=()):
        if isinstance(booleans, str):
            booleans = (booleans,)
        self.text = text
        self.booleans = tuple(booleans)
        engine_text = _engine_text("the formula", text)
        if len(engine_text) > MAX_FORMULA_BYTES:
            raise FormulaError(text, None, MAX_FORMULA_BYTES,
                               f"the formula is longer than {MAX_FORMULA_BYTES} bytes")
        self._compiled = _veltra.Compiled(engine_text, [_engine_text("a name", b) for b in booleans])
        c = self._compiled
        if not c.ok:
            raise FormulaError(text, c.error, c.position, c.message.decode(ENCODING))
        self._signals = [(name.decode(ENCODING), boolean) for name, boolean in c.signals]

    @property
    def signals(self):
        """The names the formula reads, in the order it first reads them."""
        return tuple(name for name, _ in self._signals)

    @property
    def boolean_signals(self):
        return tuple(name for name, boolean in self._signals if boolean)

    @property
    def is_boolean(self):
        """True when the formula's result is a Boolean."""
        return self._compiled.boolean_result

    @property
    def code(self):
        """The compiled code: 8-byte records, the terminator included."""
        return self._compiled.code()

    def __repr__(self):
        return f"Formula({self.text!r})"

    def __reduce__(self):
        # Sent to another process (a Dask worker) as its text: compiled again there.
        return Formula, (self.text, self.booleans)

    def columns(self, data, converted=None):
        """The engine's columns for `data` and their row count. `converted`
        (a dict) keeps columns converted for earlier formulas of one frame."""
        converted = {} if converted is None else converted
        columns = []
        for signal in self._signals:
            if signal not in converted:
                name, boolean = signal
                try:
                    column = data[name]
                except (KeyError, IndexError, TypeError):
                    raise ColumnError(f"no column is named {name!r}; the columns are: "
                                      f"{', '.join(column_names(data))}") from None
                converted[signal] = boolean_column(name, column) if boolean else float_column(name, column)
            columns.append(converted[signal])
        return columns, _row_count(data, self._signals, columns)

    def __call__(self, data, converted=None):
        columns, rows = self.columns(data, converted)
        return self._compiled.evaluate(columns, rows)


def _row_count(data, signals, columns):
    lengths = {name: len(c) for (name, _), c in zip(signals, columns)}
    if not lengths:
        if isinstance(data, Mapping):
            lengths = {str(k): len(np.atleast_1d(v)) for k, v in data.items()}
        else:
            return len(data)
    if len(set(lengths.values())) > 1:
        listed = ", ".join(f"{name} {n}" for name, n in lengths.items())
        raise ValueError(f"the columns differ in length (rows: {listed})")
    return next(iter(lengths.values()), 0)
