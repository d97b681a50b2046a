"""Formulas over arrays and frames, held against numpy's float32 arithmetic
and logic as the oracle (single-precision + - * / round the exact result
once, as IEEE float32 does)."""

import numpy as np
import pandas as pd
import pytest

import veltra

F32_MAX = np.float32(3.4028235e38)

A = np.array([3.5, -2.25, 0.0, 1e10, -7.0, 0.1], dtype=np.float32)
B = np.array([2.0, 4.0, -3.0, 3.0, 0.5, 1e-3], dtype=np.float32)
P = np.array([True, False, True, False, True, False])
Q = np.array([True, True, False, False, True, True])
R = np.array([False, True, True, False, True, False])
DATA = {"a": A, "b": B, "p": P, "q": Q, "r": R}
BOOLS = ("p", "q", "r")

FLOAT_CASES = [
    ("a * 2", lambda: A * np.float32(2)),
    ("a + b * a", lambda: A + B * A),
    ("(a - b) / (b + 4)", lambda: (A - B) / (B + np.float32(4))),
    ("a > b ? a - b : 0", lambda: np.where(A > B, A - B, np.float32(0))),
    ("p ? a : b", lambda: np.where(P, A, B)),
    ("abs(a) + min(a, b) - max(a, b)", lambda: np.abs(A) + np.minimum(A, B) - np.maximum(A, B)),
    ("-a", lambda: -A),
    # division by zero: the largest float with the dividend's sign (0 counts as positive)
    ("a / 0", lambda: np.where(A >= 0, F32_MAX, -F32_MAX)),
    ("ln(0) + 0 * a", lambda: np.full(A.shape, np.float32(-1e24))),
]

BOOLEAN_CASES = [
    ("p und nicht q", lambda: P & ~Q),
    ("p and not q", lambda: P & ~Q),
    ("P UND NICHT Q".replace("P", "p").replace("Q", "q"), lambda: P & ~Q),
    # "and" binds more loosely than "or", "or" more loosely than "xor"
    ("p | q & r", lambda: (P | Q) & R),
    ("p oder q und r", lambda: (P | Q) & R),
    ("p xor q or r", lambda: (P ^ Q) | R),
    ("a > b", lambda: A > B),
    ("a >= b und p", lambda: (A >= B) & P),
]


@pytest.mark.parametrize("text,oracle", FLOAT_CASES, ids=[c[0] for c in FLOAT_CASES])
def test_float_formulas_match_float32_arithmetic(text, oracle):
    with np.errstate(all="ignore"):
        expected = oracle().astype(np.float32)
    got = veltra.Formula(text, booleans=BOOLS)(DATA)
    assert got.dtype == np.float32
    np.testing.assert_array_equal(got, expected)


@pytest.mark.parametrize("text,oracle", BOOLEAN_CASES, ids=[c[0] for c in BOOLEAN_CASES])
def test_boolean_formulas_match_numpy_logic(text, oracle):
    f = veltra.Formula(text, booleans=BOOLS)
    assert f.is_boolean
    got = f(DATA)
    assert got.dtype == np.bool_
    np.testing.assert_array_equal(got, oracle())


@pytest.mark.parametrize("text,signals,booleans", [
    ("druck * durchfluss / 36", ("druck", "durchfluss"), ()),
    ("pumpe_ein und nicht stoerung", ("pumpe_ein", "stoerung"), ("pumpe_ein", "stoerung")),
    ("x * 2 + y + a", ("a",), ()),              # x, y are the engine's own
    ("a * a + b / a", ("a", "b"), ()),          # each name once
    ("Störung ? 1 : 0", ("Störung",), ("Störung",)),
    ("3 + 4", (), ()),
])
def test_signals_are_the_names_read(text, signals, booleans):
    f = veltra.Formula(text, booleans=booleans)
    assert f.signals == signals
    assert f.boolean_signals == tuple(s for s in signals if s in booleans)


def test_frame_and_mapping_give_the_same_values():
    f = veltra.Formula("a * b + 1")
    frame = pd.DataFrame({"a": A, "b": B, "other": ["x"] * len(A)})
    np.testing.assert_array_equal(f(frame), f({"a": A, "b": B}))


def test_formula_without_signals_gives_one_value_per_row():
    frame = pd.DataFrame({"a": A})
    np.testing.assert_array_equal(veltra.Formula("2 * 3")(frame), np.full(len(A), 6, np.float32))
    assert len(veltra.Formula("2 * 3")({})) == 0


@pytest.mark.parametrize("named,column", [
    ("leistung=a * b", "leistung"),
    ("a * b", "a * b"),
    ("a == b", "a == b"),
    ("a >= b", "a >= b"),
    (" n_1 = a + 1", "n_1"),
])
def test_evaluate_names_result_columns_as_the_tool_does(named, column):
    frame = pd.DataFrame({"a": A, "b": B})
    out = veltra.evaluate(frame, named)
    assert list(out.columns) == ["a", "b", column]
    assert list(frame.columns) == ["a", "b"]  # the input stays as it was


def test_evaluate_names_headers_and_reads_word_columns():
    frame = pd.DataFrame({"Druck vorne": A, "pumpe": ["ein", "AUS", " on", "off", "High", "low"]})
    out = veltra.evaluate(frame, "r=p * 2", "s=pumpe oder pumpe", names={"p": "Druck vorne"},
                          booleans=("pumpe",))
    np.testing.assert_array_equal(out["r"], A * 2)
    np.testing.assert_array_equal(out["s"], [True, False, True, False, True, False])


def test_evaluate_takes_bool_columns_as_booleans():
    out = veltra.evaluate(pd.DataFrame({"p": P, "q": Q}), "r=p und q")
    np.testing.assert_array_equal(out["r"], P & Q)


@pytest.mark.parametrize("kwargs,formulas,message", [
    ({"names": {"a": "b"}}, ("a",), "stands for two columns"),
    ({"names": {"1x": "a"}}, ("a",), "no formula name"),
    ({"names": {"c": "zz"}}, ("c",), "no column 'zz'"),
    ({"booleans": ("nope",)}, ("a",), "no column is named 'nope'"),
    ({}, ("a=b*2",), "already a column"),
    ({}, ("r=a", "r=b"), "already a column"),
])
def test_evaluate_refuses_what_the_tool_refuses(kwargs, formulas, message):
    with pytest.raises((ValueError, LookupError), match=message):
        veltra.evaluate(pd.DataFrame({"a": A, "b": B}), *formulas, **kwargs)


def test_a_pickled_formula_compiles_again_with_its_booleans():
    import pickle
    f = veltra.Formula("p ? a : b", booleans=("p",))
    g = pickle.loads(pickle.dumps(f))
    assert g.signals == f.signals and g.boolean_signals == ("p",)
    np.testing.assert_array_equal(g(DATA), f(DATA))
