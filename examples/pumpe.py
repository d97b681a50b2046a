"""The main job in Python: the demo's three formulas over the pump station's
data with pandas and the veltra package, drawn with matplotlib to a PNG.

    build/venv/bin/python examples/pumpe.py [OUT.png]   (default build/demo/pumpe.png)
"""

import pathlib
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import pandas as pd  # noqa: E402

import veltra  # noqa: E402

HERE = pathlib.Path(__file__).resolve().parent
FORMULAS = ("leistung_kW=druck * durchfluss / 36",
            "laeuft=pumpe_ein und nicht stoerung",
            "uebertemperatur=temperatur > 75 ? temperatur - 75 : 0")
BOOLEANS = ("pumpe_ein", "stoerung")
# Colours of the series, fixed so that a reader (and the test) finds them.
COLOURS = {"leistung_kW": "#1f4e9c", "uebertemperatur": "#d62728", "laeuft": "#2ca02c", "stoerung": "#ff7f0e"}
SIZE_INCHES, DPI = (10, 6), 100


def load(path=HERE / "pumpe.csv"):
    """The file as the control system wrote it: ";" and decimal commas; the
    numbers read exactly (round trip), the time as a date and time."""
    frame = pd.read_csv(path, sep=";", decimal=",", float_precision="round_trip")
    frame["zeit"] = pd.to_datetime(frame["zeit"], format="%d.%m.%Y %H:%M:%S")
    return frame


def compute(frame):
    return veltra.evaluate(frame, *FORMULAS, booleans=BOOLEANS)


def draw(results, path):
    """Power and over-temperature over time above, the Boolean series as
    steps in lanes of their own below. Returns the figure (still open)."""
    fig, (values, lanes) = plt.subplots(2, 1, figsize=SIZE_INCHES, dpi=DPI, sharex=True,
                                        gridspec_kw={"height_ratios": [3, 1]})
    for name in ("leistung_kW", "uebertemperatur"):
        values.plot(results["zeit"], results[name], color=COLOURS[name], linewidth=2, label=name)
    values.set_ylabel("kW / K")
    values.legend(loc="upper left")
    values.grid(True, color="#dddddd")
    stoerung = results["stoerung"].astype(bool)
    for lane, (name, series) in enumerate((("laeuft", results["laeuft"]), ("stoerung", stoerung))):
        lanes.step(results["zeit"], series.astype(int) * 0.8 + lane, where="post", color=COLOURS[name],
                   linewidth=2, label=name)
    lanes.set_yticks([0.4, 1.4], ["laeuft", "stoerung"])
    lanes.set_ylim(-0.2, 2.0)
    fig.autofmt_xdate()
    fig.savefig(path, dpi=DPI)
    return fig


def main(argv):
    out = pathlib.Path(argv[1]) if len(argv) > 1 else HERE.parent / "build" / "demo" / "pumpe.png"
    out.parent.mkdir(parents=True, exist_ok=True)
    results = compute(load())
    shown = results.iloc[::8]
    for (_, row), text in zip(shown.iterrows(), veltra.format(shown["leistung_kW"], "####.##")):
        print(f"{row['zeit']:%d.%m.%Y %H:%M}  leistung_kW {text:>7}  laeuft {int(row['laeuft'])}"
              f"  uebertemperatur {veltra.format(row['uebertemperatur'], '##.#'):>4}")
    plt.close(draw(results, out))
    print(f"(chart written to {out})")


if __name__ == "__main__":
    main(sys.argv)
