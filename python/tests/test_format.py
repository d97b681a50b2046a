"""Values under the library's format masks, held against Python's own
correctly rounded formatting of the float32 value."""

import numpy as np
import pytest

import veltra

VALUES = np.array([0.0, 1.5, 2.5, -3.25, 0.1, 255.0, 1234.5678, -0.004, 7e-5, 99.995], dtype=np.float32)


def _fixed(v, width, decimals):
    text = f"{float(v):.{decimals}f}"
    if text.startswith("-") and not text.strip("-0."):
        text = text[1:]  # a value shown as zero has no sign
    return text if len(text) <= width else None


def _exponent(v, decimals):
    mantissa, exp = f"{float(v):.{decimals}E}".split("E")
    return f"{mantissa}E{int(exp):+04d}"


@pytest.mark.parametrize("mask,width,decimals", [("####.##", 7, 2), ("#####", 5, 0), ("##.####", 7, 4)])
def test_decimal_masks_round_like_exact_decimal_formatting(mask, width, decimals):
    got = veltra.format(VALUES, mask)
    for v, text in zip(VALUES, got):
        expected = _fixed(v, width, decimals)
        assert text == (expected if expected is not None else mask), v


@pytest.mark.parametrize("mask,decimals", [("E#######.###", 3), ("E###########.########", 8)])
def test_exponent_masks_give_mantissa_and_three_digit_exponent(mask, decimals):
    nonzero = VALUES[VALUES != 0]
    assert veltra.format(nonzero, mask) == [_exponent(v, decimals) for v in nonzero]


def test_nine_digit_exponent_texts_read_back_to_the_same_float():
    rng = np.random.default_rng(3)
    values = (rng.standard_normal(2000) * 10.0 ** rng.integers(-30, 30, 2000)).astype(np.float32)
    texts = veltra.format(values, "E###########.########")
    np.testing.assert_array_equal(np.array([float(t) for t in texts], dtype=np.float32), values)


@pytest.mark.parametrize("value,mask,expected", [
    (255, "xxxx", f"{255:X}"),
    (4660, "xxxx", f"{4660:X}"),
    (70000, "xxxx", "####"),
    (5, "bbbbbbbb", f"{5:b}"),
    (200, "bbbbbbbb", f"{200:b}"),
    (42, "0###", "042"),
    (3723.25, "hh:mm:ss.sss", "01:02:03.250"),
    (np.nan, "####.##", "#NAN"),
    (np.inf, "####.##", "#INF"),
    (-np.inf, "####.##", "#NINF"),
    (1234567.0, "", "1.23457e+06"),
    (0.1, "", "0.1"),
])
def test_other_forms_and_special_values(value, mask, expected):
    assert veltra.format(value, mask) == expected


@pytest.mark.parametrize("values,mask,error", [
    ([1.0], "abc", ValueError),
    ([1.0], "####.##.#", ValueError),
    (["1.0"], "####.##", TypeError),
])
def test_bad_masks_and_values_are_refused(values, mask, error):
    with pytest.raises(error):
        veltra.format(values, mask)
