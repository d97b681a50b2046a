"""A folder of generated plant CSV files, as a control system exports them
(";" separated, decimal commas, the pump's state as "ein"/"aus"): one file
per plant, for the Dask test and benchmark."""

import numpy as np
import pandas as pd

FORMULAS = ("leistung_kW=druck * durchfluss / 36",
            "laeuft=pumpe_ein und nicht stoerung",
            "uebertemperatur=temperatur > 75 ? temperatur - 75 : 0",
            "wirkungsgrad=laeuft_ok ? druck * durchfluss / (temperatur + 273.15) : 0")
RESULTS = tuple(f.split("=")[0] for f in FORMULAS)
BOOLEANS = ("pumpe_ein", "stoerung", "laeuft_ok")
READ_OPTIONS = {"sep": ";", "decimal": ",", "float_precision": "round_trip"}
# A LocalCluster of two worker processes on the loopback, dashboard off; the
# scheduler's own HTTP server takes any free port, not the dashboard's
# 8787, so that clusters of several runs at once do not meet.
LOCAL_CLUSTER = {"n_workers": 2, "processes": True, "threads_per_worker": 1, "host": "127.0.0.1",
                 "dashboard_address": None, "scheduler_kwargs": {"dashboard_address": "127.0.0.1:0"}}


def write(folder, files=20, rows=10_000, seed=1):
    """Writes plant_00.csv ... into `folder`; returns their paths."""
    rng = np.random.default_rng(seed)
    paths = []
    for k in range(files):
        running = rng.random(rows) < 0.7
        frame = pd.DataFrame({
            "zeit": 1715925600 + np.arange(rows),
            "temperatur": np.round(rng.normal(70, 6, rows), 1),
            "druck": np.round(np.where(running, rng.uniform(2.5, 4.5, rows), 0.0), 2),
            "durchfluss": np.round(np.where(running, rng.uniform(30, 60, rows), 0.0), 1),
            "pumpe_ein": np.where(running, "ein", "aus"),
            "stoerung": (rng.random(rows) < 0.05).astype(int),
            "laeuft_ok": np.where(rng.random(rows) < 0.9, "true", "false"),
        })
        path = folder / f"plant_{k:02d}.csv"
        frame.to_csv(path, sep=";", decimal=",", index=False)
        paths.append(path)
    return paths


def read_all(paths):
    """The files in one frame, read in one process."""
    return pd.concat([pd.read_csv(p, **READ_OPTIONS) for p in paths], ignore_index=True)
