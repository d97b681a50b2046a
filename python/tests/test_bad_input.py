"""Bad input: each case gives the right result or a clear exception."""

import numpy as np
import pandas as pd
import pytest

import veltra

BASE = np.array([1.5, -2.0, 3.25, 0.0, 8.0, -0.5], dtype=np.float32)


def _readonly(a):
    a = a.copy()
    a.flags.writeable = False
    return a


# Inputs that must read as BASE (and 2 * BASE as the result of "a * 2").
SAME_VALUES = {
    "strided view": np.repeat(BASE, 2)[::2],
    "read-only": _readonly(BASE),
    "reversed view": BASE[::-1].copy()[::-1],
    "float64": BASE.astype(np.float64),
    "big-endian float32": BASE.astype(">f4"),
    "Series": pd.Series(BASE),
    "nullable Float64": pd.Series(BASE.astype(np.float64), dtype="Float64"),
    "list": [float(v) for v in BASE],
}


@pytest.mark.parametrize("name", SAME_VALUES)
def test_columns_of_other_layouts_read_as_their_values(name):
    got = veltra.Formula("a * 2")({"a": SAME_VALUES[name]})
    np.testing.assert_array_equal(got, BASE * 2)


def test_integer_columns_convert_to_the_nearest_float():
    big = np.array([16777217, -3, 2**31 - 1], dtype=np.int64)  # 2^24 + 1 has no float
    np.testing.assert_array_equal(veltra.Formula("a + 0")({"a": big}), big.astype(np.float32))


def test_contiguous_float32_is_read_without_a_copy():
    f = veltra.Formula("a + b")
    a = np.arange(10, dtype=np.float32)
    frame = pd.DataFrame({"a": a, "b": a})
    columns, rows = f.columns(frame)
    assert rows == 10
    assert np.shares_memory(columns[0], frame["a"].to_numpy())
    columns, _ = f.columns({"a": a, "b": a})
    assert columns[0] is a


@pytest.mark.parametrize("data,error,message", [
    ({"a": BASE, "b": BASE[:4]}, ValueError, r"differ in length \(rows: a 6, b 4\)"),
    ({"a": np.array(["1.5", "x"], dtype=object), "b": BASE[:2]}, LookupError, "'a' holds object values"),
    ({"a": np.array(["1.5", "2"]), "b": BASE[:2]}, LookupError, "'a' holds <U3 values"),
    ({"a": BASE.reshape(2, 3), "b": BASE}, LookupError, "'a' has 2 dimensions"),
    ({"a": BASE.astype(np.complex64), "b": BASE}, LookupError, "complex64"),
    ({"A": BASE, "b": BASE}, LookupError, "no column is named 'a'; the columns are: A, b"),
    (pd.DataFrame({"a": pd.to_datetime(["2024-05-17"]), "b": [1.0]}), LookupError, "datetime64"),
])
def test_unusable_float_columns_are_refused_with_the_reason(data, error, message):
    with pytest.raises(error, match=message):
        veltra.Formula("a + b")(data)


@pytest.mark.parametrize("column,expected", [
    (np.array([True, False, True]), [True, False, True]),
    (np.array([1, 0, 1], dtype=np.int64), [True, False, True]),
    (np.array([1, 0, 1], dtype=np.int16), [True, False, True]),
    (np.array([1.0, 0.0, 0.0]), [True, False, False]),
    (np.array(["ein", "aus", "EIN"], dtype=object), [True, False, True]),
    (np.array([" true", "False ", "HIGH"]), [True, False, True]),
    (np.array(["on", "off", "low"]), [True, False, False]),
    (np.array([b"1", b"0", b"high"]), [True, False, True]),
    (np.array([True, 0, "aus"], dtype=object), [True, False, False]),
])
def test_boolean_columns_from_bool_numbers_and_words(column, expected):
    got = veltra.Formula("k und k", booleans=("k",))({"k": column})
    np.testing.assert_array_equal(got, expected)


@pytest.mark.parametrize("column,message", [
    (np.array([1, 2, 0]), "row 1 holds 2"),
    (np.array([0.0, np.nan]), "row 1 holds nan"),
    (np.array(["ein", "ja"], dtype=object), "row 1 holds 'ja'"),
    (np.array(["ein", None], dtype=object), "row 1 holds None"),
    (np.array([1, -1], dtype=np.int16), "row 1 holds -1"),
])
def test_boolean_columns_with_other_values_are_refused(column, message):
    with pytest.raises(LookupError, match=message):
        veltra.Formula("k", booleans=("k",))({"k": column})


LIMIT = np.float32(1e24)  # the engine's bound of + - * results; NaN passes unchanged
F32_MAX = np.finfo(np.float32).max
NAN, INF = np.float32(np.nan), np.float32(np.inf)
SPECIAL_A = np.array([NAN, INF, -INF, 2.0, INF, NAN, -1.0], dtype=np.float32)
SPECIAL_B = np.array([1.0, 1.0, 2.0, NAN, INF, 0.0, 0.0], dtype=np.float32)


def _limited(v):
    return np.where(np.isnan(v), v, np.clip(v, -LIMIT, LIMIT))


@pytest.mark.parametrize("text,oracle", [
    ("a + b", lambda a, b: _limited(a + b)),
    ("a * b", lambda a, b: _limited(a * b)),
    # by zero: the largest float with the dividend's sign, NaN counting as negative
    ("a / b", lambda a, b: np.where(b == 0, np.where(a >= 0, F32_MAX, -F32_MAX), _limited(a / b))),
    ("a > b", lambda a, b: a > b),  # a comparison with NaN is false
    ("a == a", lambda a, b: a == a),
])
def test_nan_and_infinities_follow_the_engine(text, oracle):
    with np.errstate(all="ignore"):
        expected = oracle(SPECIAL_A, SPECIAL_B)
    got = veltra.Formula(text)({"a": SPECIAL_A, "b": SPECIAL_B})
    np.testing.assert_array_equal(got, expected)


@pytest.mark.parametrize("data", [pd.DataFrame({"a": [], "b": []}, dtype=np.float32),
                                  {"a": np.array([], np.float32), "b": np.array([], np.float64)},
                                  pd.DataFrame({"a": [], "b": []})])
def test_empty_data_gives_an_empty_result(data):
    got = veltra.Formula("a * b")(data)
    assert got.dtype == np.float32 and got.shape == (0,)
    assert veltra.Formula("a > b")(data).dtype == np.bool_
    assert len(veltra.evaluate(pd.DataFrame(data), "r=a*b")["r"]) == 0


class Untouchable(dict):
    def __getitem__(self, key):
        raise AssertionError("a row was read")


@pytest.mark.parametrize("text,code,position,message", [
    ("druck * (durchfluss + ", 7, 22, "Operand vermisst."),
    ("a +* b", 7, 3, "Operand vermisst."),
    ("sin(a", None, None, None),
    ("a b", None, None, None),
    ("(" * 120 + "a" + ")" * 120, 14, None, None),
])
def test_a_formula_that_does_not_compile_raises_before_any_row_is_read(text, code, position, message):
    with pytest.raises(veltra.FormulaError) as caught:
        veltra.evaluate(Untouchable(a=1), text)
    e = caught.value
    assert e.code and e.message and e.text == text
    assert 0 <= e.position <= len(text)
    for want, got in ((code, e.code), (position, e.position), (message, e.message)):
        if want is not None:
            assert got == want
    assert str(e).splitlines()[-1] == "  " + " " * e.position + "^"


def test_texts_the_engine_cannot_hold_are_formula_errors():
    with pytest.raises(veltra.FormulaError, match="longer than 4095 bytes"):
        veltra.Formula("a" + " + a" * 1100)
    with pytest.raises(veltra.FormulaError, match="cannot read") as caught:
        veltra.Formula("a + \u2603")
    assert caught.value.position == 4


@pytest.mark.parametrize("columns,rows,error", [
    ([np.zeros(3, np.float64)], 3, ValueError),       # not float32
    ([np.zeros(6, np.float32)[::2]], 3, ValueError),  # not contiguous
    ([np.zeros(2, np.float32)], 3, ValueError),       # too short
    (["abc"], 3, TypeError),
    ([], 3, ValueError),                              # one column per signal
])
def test_native_module_refuses_columns_it_cannot_read_in_place(columns, rows, error):
    """The last guard before the engine reads raw memory, for any caller of
    the native module."""
    from veltra import _veltra
    with pytest.raises(error):
        _veltra.Compiled(b"a * 2", []).evaluate(columns, rows)
