"""examples/pumpe.py draws the results where they belong: at the pixel of
every plotted value of its PNG lies the colour of that series."""

import subprocess
import sys

import numpy as np
import pytest
from PIL import Image

pumpe = pytest.importorskip("pumpe")


def _colour(hex_text):
    return np.array([int(hex_text[k:k + 2], 16) for k in (1, 3, 5)])


def _near(image, x, y, colour, radius=2, tolerance=60):
    """Whether a pixel within `radius` of (x, y) has about `colour`."""
    h, w, _ = image.shape
    patch = image[max(0, y - radius):min(h, y + radius + 1), max(0, x - radius):min(w, x + radius + 1), :3]
    return bool((np.abs(patch.astype(int) - colour).sum(axis=2) < tolerance).any())


@pytest.fixture(scope="module")
def drawn(tmp_path_factory):
    """The PNG the script writes, and the axes of the same drawing."""
    out = tmp_path_factory.mktemp("example") / "pumpe.png"
    run = subprocess.run([sys.executable, pumpe.__file__, str(out)], capture_output=True, text=True, check=True)
    assert "chart written" in run.stdout
    image = np.asarray(Image.open(out).convert("RGB"))
    results = pumpe.compute(pumpe.load())
    fig = pumpe.draw(results, out.with_name("again.png"))
    yield image, results, fig
    fig.clear()


def _pixel(fig, ax, t, v):
    x, y = ax.transData.transform((ax.xaxis.convert_units(t), v))
    return int(round(x)), int(round(fig.bbox.height - y))


def test_png_has_the_figure_size_and_a_white_ground(drawn):
    image, _, _ = drawn
    w, h = (int(s * pumpe.DPI) for s in pumpe.SIZE_INCHES)
    assert image.shape[:2] == (h, w)
    assert (image[5, :] == 255).all()  # above the axes


@pytest.mark.parametrize("series", ["leistung_kW", "uebertemperatur"])
def test_every_value_lies_on_its_line(drawn, series):
    image, results, fig = drawn
    ax = fig.axes[0]
    colour = _colour(pumpe.COLOURS[series])
    other = "uebertemperatur" if series == "leistung_kW" else "leistung_kW"
    checked = 0
    for t, v, w in zip(results["zeit"], results[series], results[other]):
        x, y = _pixel(fig, ax, t, float(v))
        if abs(y - _pixel(fig, ax, t, float(w))[1]) <= 4:
            continue  # the other line is drawn over it there
        assert _near(image, x, y, colour), (series, t, v)
        checked += 1
    assert checked >= 10


@pytest.mark.parametrize("lane,series", [(0, "laeuft"), (1, "stoerung")])
def test_boolean_steps_lie_in_their_lanes(drawn, lane, series):
    image, results, fig = drawn
    ax = fig.axes[1]
    colour = _colour(pumpe.COLOURS[series])
    values = results[series].astype(bool).to_numpy()
    times = results["zeit"].to_numpy()
    for k in range(len(values) - 1):
        middle = times[k] + (times[k + 1] - times[k]) / 2
        x, high = _pixel(fig, ax, middle, lane + 0.8)
        _, low = _pixel(fig, ax, middle, lane)
        assert _near(image, x, high if values[k] else low, colour), (series, k)
        assert not _near(image, x, low if values[k] else high, colour), (series, k)
