"""The package gives the engine's bits: the same as the formula tool's
output and as the library's C API evaluating row by row through its value
callback (another path through the engine than the column entry), over the
benchmark's formula set and over the example data."""

import csv
import ctypes
import io
import struct
import subprocess

import numpy as np
import pandas as pd
import pytest

import veltra

# Nine significant digits: a float32 written under this mask reads back as
# itself.
EXACT_MASK = "E###########.########"
DEMO_FORMULAS = ["leistung_kW=druck * durchfluss / 36", "laeuft=pumpe_ein und nicht stoerung",
                 "uebertemperatur=temperatur > 75 ? temperatur - 75 : 0"]


def _bits(values):
    return np.asarray(values, dtype=np.float32).view(np.uint32)


def _tool_number(text, decimal):
    if text.startswith("#"):
        return {"#NAN": np.nan, "#INF": np.inf, "#NINF": -np.inf}[text]
    return float(text.replace(decimal, "."))


def _run_tool(vtcalc, path, formulas, booleans, delimiter, decimal):
    out = subprocess.run([str(vtcalc), "--bool", ",".join(booleans), "--format", EXACT_MASK, str(path), *formulas],
                         check=True, capture_output=True, text=True).stdout
    rows = list(csv.reader(io.StringIO(out), delimiter=delimiter))
    header, body = rows[0], rows[1:]
    results = [f.split("=")[0] for f in formulas]
    return {name: np.array([_tool_number(r[k], decimal) for r in body], dtype=np.float32)
            for k, name in enumerate(header) if name in results}


def _assert_same(got, expected, what):
    """Same bits, but for what text cannot carry: the sign of a zero and
    which NaN."""
    got = np.asarray(got, dtype=np.float32) + np.float32(0)  # -0 + 0 is +0
    expected = expected + np.float32(0)
    nan = np.isnan(expected)
    np.testing.assert_array_equal(np.isnan(got), nan, err_msg=what)
    np.testing.assert_array_equal(_bits(got)[~nan], _bits(expected)[~nan], err_msg=what)


@pytest.fixture(scope="module")
def bench_frame(bench_set):
    _, floats, booleans, float_rows, bool_rows = bench_set
    rng = np.random.default_rng(11)
    n = 992
    random_floats = rng.normal(0, 30, (n, len(floats)))
    random_floats[:, 0] = rng.uniform(0.01, 60, n)  # raised to 1.5
    random_floats[:, 1:3] = rng.uniform(-99, 99, (n, 2))  # arcus arguments / 100
    frame = pd.DataFrame(np.vstack([float_rows, random_floats]).astype(np.float32), columns=floats)
    truths = np.vstack([bool_rows, rng.integers(0, 2, (n, len(booleans)))]).astype(bool)
    for k, name in enumerate(booleans):
        frame[name] = truths[:, k]
    return frame


def test_formula_set_gives_the_tool_bits(bench_set, bench_frame, vtcalc, tmp_path):
    formulas, _, booleans, _, _ = bench_set
    path = tmp_path / "set.csv"
    numbers = bench_frame.copy()
    for name in booleans:
        numbers[name] = numbers[name].astype(int)
    numbers.to_csv(path, index=False, float_format=lambda v: repr(float(v)))
    named = [f"r{k}={text}" for k, text in enumerate(formulas)]
    tool = _run_tool(vtcalc, path, named, booleans, ",", ".")
    ours = veltra.evaluate(bench_frame, *named)
    for k, text in enumerate(formulas):
        _assert_same(ours[f"r{k}"], tool[f"r{k}"], text)


class CApi:
    """The library's C handle API through ctypes, evaluating row by row."""

    NAME = ctypes.CFUNCTYPE(ctypes.c_int16, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int16)
    VALUE = ctypes.CFUNCTYPE(ctypes.c_float, ctypes.c_void_p, ctypes.c_int16, ctypes.c_int16)
    # A Boolean's value is read from the low 16 bits of the float returned:
    # 1.0 has none of them set, its neighbour above has bit 0 (both normal
    # floats, safe from any flushing of denormals).
    TRUE = struct.unpack("<f", struct.pack("<I", 0x3F800001))[0]
    FALSE = 1.0

    def __init__(self, path):
        lib = ctypes.CDLL(str(path))
        lib.CalcCreate.restype = ctypes.c_void_p
        lib.CalcCreate.argtypes = [ctypes.c_uint32, ctypes.c_uint32]
        for fn in ("CalcDestroy", "CalcSetText", "CalcSetCallbacks", "CalcCompile", "CalcEval"):
            getattr(lib, fn).argtypes = [ctypes.c_void_p]
        lib.CalcSetText.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        lib.CalcSetCallbacks.argtypes = [ctypes.c_void_p, self.NAME, self.VALUE, ctypes.c_void_p]
        lib.CalcEval.restype = ctypes.c_float
        self.lib = lib

    def evaluate(self, text, frame, booleans):
        floats = [c for c in frame.columns if c not in booleans]
        row = {}

        def name(_, n, t):
            n = n.decode("cp1252")
            kinds = booleans if t == 4 else floats
            return kinds.index(n) if n in kinds else -1

        def value(_, index, t):
            if t == 4:
                return self.TRUE if row[booleans[index]] else self.FALSE
            return row[floats[index]]

        callbacks = (self.NAME(name), self.VALUE(value))
        h = self.lib.CalcCreate(4096, 4096)
        try:
            assert self.lib.CalcSetText(h, text.encode("cp1252"))
            self.lib.CalcSetCallbacks(h, callbacks[0], callbacks[1], None)
            assert self.lib.CalcCompile(h), text
            out = np.empty(len(frame), dtype=np.float32)
            for r, values in enumerate(frame.itertuples(index=False)):
                row = dict(zip(frame.columns, values))
                out[r] = self.lib.CalcEval(h)
            return out
        finally:
            self.lib.CalcDestroy(h)


def test_formula_set_gives_the_c_api_bits_row_by_row(bench_set, bench_frame, library_path):
    formulas, _, booleans, _, _ = bench_set
    api = CApi(library_path)
    frame = bench_frame.iloc[:200]
    for text in formulas:
        expected = api.evaluate(text, frame, booleans)
        got = veltra.Formula(text, booleans=booleans)(frame)
        np.testing.assert_array_equal(_bits(got), _bits(expected), err_msg=text)


def test_example_data_gives_the_tool_bits(root, vtcalc):
    path = root / "examples" / "pumpe.csv"
    frame = pd.read_csv(path, sep=";", decimal=",", float_precision="round_trip")
    ours = veltra.evaluate(frame, *DEMO_FORMULAS, booleans=("pumpe_ein", "stoerung"))
    tool = _run_tool(vtcalc, path, DEMO_FORMULAS, ("pumpe_ein", "stoerung"), ";", ",")
    for named in DEMO_FORMULAS:
        name = named.split("=")[0]
        _assert_same(ours[name], tool[name], named)
