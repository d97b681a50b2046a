"""Benchmark of the Python package, ratios against peers measured in the
same run:

  1. each formula of formula_set.h that numexpr can express, over 10 million
     float32 rows: veltra against numexpr and pandas.eval, one thread each;
  2. two threads on two cores against one (rows per second);
  3. Dask, a LocalCluster of 2 worker processes over 20 plant CSV files,
     against one process reading and evaluating them (wall time, same bits),
     with Dask's defaults and with workers on glibc's malloc defaults;
  4. the memory one evaluation takes beyond its inputs.

    build/venv/bin/python bench/python_formulas.py [--rows N] [--file-rows N] [--runs N]
                                          [--skip-dask | --only-dask]
"""

import argparse
import hashlib
import math
import os
import pathlib
import re
import resource
import sys
import tempfile
import threading
import time
import tracemalloc

import numexpr
import numpy as np
import pandas as pd

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import formula_set  # noqa: E402
import plant_files  # noqa: E402
import veltra  # noqa: E402

# The formulas in numexpr's syntax; None where numexpr has no such function
# (int() truncates, which numexpr cannot say without trunc).
NUMEXPR = {
    "abs(s0) + sgn(s1) * int(s2)": None,
    "mod(s0, 7) + int(s1 / 3)": None,
    "s0^2 + s1^2": "s0**2 + s1**2",
    "sqrt(s0^2 + s1^2)": "sqrt(s0**2 + s1**2)",
    "exp(-s0 / 10) * ln(abs(s1) + 1)": "exp(-s0 / 10) * log(abs(s1) + 1)",
    "atan(s0) + asin(s1 / 100) + acos(s2 / 100)": "arctan(s0) + arcsin(s1 / 100) + arccos(s2 / 100)",
    "min(s0, s1) + max(s2, s3)": "where(s0 < s1, s0, s1) + where(s2 > s3, s2, s3)",
    "rad(s0) + deg(s1 / 100)": "s0 * 0.017453292 + s1 / 100 * 57.29578",
    "s0 ^ 1.5 + s1 ^ 3": "s0**1.5 + s1**3",
    "s0 > s1 ? s2 : s3": "where(s0 > s1, s2, s3)",
    "s0 > 0 ? (s1 > 0 ? s2 : s3) : (s4 < s5 ? s6 : s7)": "where(s0 > 0, where(s1 > 0, s2, s3), where(s4 < s5, s6, s7))",
    "k0 and k1 or not k2": "k0 & (k1 | ~k2)",
    "k0 und (k1 oder nicht k2)": "k0 & (k1 | ~k2)",
    "s0 > 10 und s1 < 5 oder k0": "(s0 > 10) & ((s1 < 5) | k0)",
    "k0 ? s0 * 2 : s1 / 2": "where(k0, s0 * 2, s1 / 2)",
    "sqr(s0) + 3 * s1 - 2": "s0**2 + 3 * s1 - 2",
    "s0 * pi / 180 + e": "s0 * 3.1415927 / 180 + 2.7182817",
    "s3 >= s4 & !(s5 == s6) ^ k2": "(s3 >= s4) & (~(s5 == s6) != k2)",  # xor as !=
}


def peer_text(ours):
    """numexpr's text of a formula: ours where the syntax is the same."""
    return NUMEXPR.get(ours, ours)


def float32_constants(text):
    """Decimal constants become float32 scalars: numexpr would make the
    whole expression double for a Python float."""
    constants = {}

    def name(m):
        key = f"c{len(constants)}"
        constants[key] = np.float32(m.group(0))
        return key

    return re.sub(r"(?<![\w.])\d+\.\d+", name, text), constants


def best_of(runs, fn):
    best = math.inf
    for _ in range(runs):
        start = time.perf_counter()
        fn()
        best = min(best, time.perf_counter() - start)
    return best


def make_rows(rows, floats, booleans):
    rng = np.random.default_rng(5)
    frame = pd.DataFrame({name: rng.normal(0, 30, rows).astype(np.float32) for name in floats})
    frame["s0"] = rng.uniform(0.01, 60, rows).astype(np.float32)
    for name in ("s1", "s2"):
        frame[name] = rng.uniform(-99, 99, rows).astype(np.float32)
    for name in booleans:
        frame[name] = rng.random(rows) < 0.5
    return frame


def geomean(values):
    return math.exp(sum(math.log(v) for v in values) / len(values)) if values else float("nan")


def bench_formulas(frame, formulas, booleans, runs):
    numexpr.set_num_threads(1)
    columns = {c: frame[c].to_numpy() for c in frame.columns}
    print(f"{'formula':<48} {'veltra ms':>9} {'numexpr ms':>10} {'ratio':>6} {'pandas ms':>9} {'ratio':>6}")
    ne_ratios, pd_ratios = [], []
    for ours in formulas:
        peer = peer_text(ours)
        if peer is None:
            continue
        f = veltra.Formula(ours, booleans=booleans)
        t_ours = best_of(runs, lambda: f(columns))
        text, constants = float32_constants(peer)
        local = dict(columns, **constants)
        t_ne = best_of(runs, lambda: numexpr.evaluate(text, local_dict=local))
        ne_ratios.append(t_ne / t_ours)
        try:
            series = {c: frame[c] for c in frame.columns}
            series.update(constants)
            t_pd = best_of(runs, lambda: pd.eval(text, local_dict=series))
            pd_ratios.append(t_pd / t_ours)
            pandas_cells = f"{t_pd * 1e3:9.1f} {t_pd / t_ours:6.2f}"
        except Exception:  # pandas.eval has no where(), no ^ on Booleans
            pandas_cells = f"{'-':>9} {'-':>6}"
        print(f"{ours[:48]:<48} {t_ours * 1e3:9.1f} {t_ne * 1e3:10.1f} {t_ne / t_ours:6.2f} {pandas_cells}")
    print(f"geometric mean: numexpr/veltra {geomean(ne_ratios):.2f} over {len(ne_ratios)} formulas (target >= 2), "
          f"pandas.eval/veltra {geomean(pd_ratios):.2f} over {len(pd_ratios)} formulas (target >= 4)")


def bench_threads(frame, formulas, booleans, runs):
    columns = {c: frame[c].to_numpy() for c in frame.columns}
    per_thread = [[veltra.Formula(t, booleans=booleans) for t in formulas] for _ in range(2)]

    def work(k):
        for f in per_thread[k]:
            f(columns)

    def two():
        threads = [threading.Thread(target=work, args=(k,)) for k in range(2)]
        for t in threads:
            t.start()
        for t in threads:
            t.join()

    t1 = best_of(runs, lambda: work(0))
    t2 = best_of(runs, two)
    rows = len(frame) * len(formulas)
    print(f"threads: 1 thread {rows / t1 / 1e6:.0f} M rows/s, 2 threads {2 * rows / t2 / 1e6:.0f} M rows/s, "
          f"ratio {2 * t1 / t2:.2f} (target >= 1.7)")


def result_digests(frame):
    """One row of SHA-256 digests, one per result column: what a job keeps
    of a partition here, so both sides are timed on the evaluation at
    scale, not on sending whole frames back to one process."""
    return pd.DataFrame({name: [hashlib.sha256(frame[name].to_numpy().tobytes()).hexdigest()]
                         for name in plant_files.RESULTS})


def evaluate_file(path):
    """One plant file read and evaluated, as one process does it."""
    frame = pd.read_csv(path, **plant_files.READ_OPTIONS)
    return veltra.evaluate(frame, *plant_files.FORMULAS, booleans=plant_files.BOOLEANS)


def kernel_work():
    """This process's system CPU seconds and page faults so far."""
    usage = resource.getrusage(resource.RUSAGE_SELF)
    return usage.ru_stime, usage.ru_minflt


def workers_kernel_work(client):
    return [sum(x) for x in zip(*client.run(kernel_work).values())]


def malloc_trim_setting():
    """The setting in the environment of the process this runs in (a bound
    os.environ.get would carry the caller's environment to a worker)."""
    return os.environ.get("MALLOC_TRIM_THRESHOLD_")


def cluster_without_trim():
    """A LocalCluster like the other but for one setting: its workers keep
    glibc's malloc defaults, as the one process does. Dask's nannies start
    workers with MALLOC_TRIM_THRESHOLD_=65536, which hands freed memory back
    to the system at once and also fixes glibc's mmap threshold at 128 KB:
    every column of every file parsed is then a new mapping whose pages the
    kernel must zero again, several times the page faults of one process on
    these files. Started before the other cluster, whose nannies leave the
    setting in this process's environment for every process spawned later."""
    import dask
    from distributed import LocalCluster

    environ = dict(dask.config.get("distributed.nanny.pre-spawn-environ"))
    environ.pop("MALLOC_TRIM_THRESHOLD_", None)
    with dask.config.set({"distributed.nanny.pre-spawn-environ": environ}):
        return LocalCluster(**plant_files.LOCAL_CLUSTER)


def bench_dask(file_rows, runs):
    """The same files read and evaluated by one process and by two clusters
    (Dask's defaults, and workers on glibc's malloc defaults), turn about,
    `runs` times each: the load another program puts on the machine then
    falls on all sides alike, and each side counts its best run. The
    clusters are started, and every side has read and evaluated one file,
    before the first clock."""
    import dask.dataframe as dd
    from distributed import Client, LocalCluster

    def spread(client, folder):
        ddf = dd.read_csv(str(pathlib.Path(folder) / "plant_*.csv"), blocksize=None, **plant_files.READ_OPTIONS)
        results = veltra.dask.evaluate(ddf, *plant_files.FORMULAS, booleans=plant_files.BOOLEANS)
        return client.compute(results.map_partitions(result_digests, meta=result_digests(results._meta))).result()

    with tempfile.TemporaryDirectory() as folder:
        paths = [str(p) for p in plant_files.write(pathlib.Path(folder), files=20, rows=file_rows)]
        evaluate_file(paths[0])  # imports and first calls, before the clock, on every side
        with cluster_without_trim() as untrimmed, LocalCluster(**plant_files.LOCAL_CLUSTER) as default, \
                Client(default) as on_default, Client(untrimmed, set_as_default=False) as on_untrimmed:
            clients = {"Dask's defaults": on_default, "workers on glibc's malloc defaults": on_untrimmed}
            for client in clients.values():
                client.run(evaluate_file, paths[0])
            trims = {str(v) for v in on_untrimmed.run(malloc_trim_setting).values()}
            assert trims == {"None"}, f"the workers meant to keep malloc's defaults trim at {trims}"
            best = dict.fromkeys(("one", *clients), math.inf)
            kernel = {side: [0.0, 0] for side in best}  # system CPU s and page faults, all runs
            same = True
            load = [os.getloadavg()[0]]
            for _ in range(runs):
                before, start = kernel_work(), time.perf_counter()
                alone = pd.concat([result_digests(evaluate_file(p)) for p in paths])
                best["one"] = min(best["one"], time.perf_counter() - start)
                kernel["one"] = [k + b - a for k, a, b in zip(kernel["one"], before, kernel_work())]
                for name, client in clients.items():
                    before, start = workers_kernel_work(client), time.perf_counter()
                    digests = spread(client, folder)
                    best[name] = min(best[name], time.perf_counter() - start)
                    kernel[name] = [k + b - a for k, a, b in zip(kernel[name], before, workers_kernel_work(client))]
                    same = same and digests.to_numpy().tolist() == alone.to_numpy().tolist()
                load.append(os.getloadavg()[0])

    def kernel_text(side):
        return f"system CPU {kernel[side][0] / runs:.2f} s, {kernel[side][1] / runs / 1e3:.0f} k page faults a run"

    print(f"dask: 20 files of {file_rows} rows, best of {runs}: one process {best['one']:.2f} s ({kernel_text('one')}); "
          f"bits identical: {'yes' if same else 'NO'}; load average {' '.join(f'{x:.1f}' for x in load)}")
    for name in clients:
        print(f"dask: LocalCluster 2 processes, {name}: {best[name]:.2f} s, ratio {best[name] / best['one']:.2f} "
              f"(target <= 0.65; workers' {kernel_text(name)})")


def bench_memory(frame, booleans):
    columns = {c: frame[c].to_numpy() for c in frame.columns}
    f = veltra.Formula("sqrt(s0^2 + s1^2) + s2 * s3", booleans=booleans)
    tracemalloc.start()
    result = f(columns)
    peak = tracemalloc.get_traced_memory()[1]
    tracemalloc.stop()
    print(f"memory: peak {peak / 1e6:.1f} MB allocated for a result of {result.nbytes / 1e6:.1f} MB "
          f"(float32 inputs read in place)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--rows", type=int, default=10_000_000)
    parser.add_argument("--file-rows", type=int, default=200_000)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--skip-dask", action="store_true")
    parser.add_argument("--only-dask", action="store_true")
    args = parser.parse_args()
    # Threads and processes gain only what the machine has free.
    machine = f"machine: {os.cpu_count()} hardware threads, load average {os.getloadavg()[0]:.1f}"
    if args.only_dask:
        import dask
        import distributed
        print(f"pandas {pd.__version__}, dask {dask.__version__}, distributed {distributed.__version__}")
        print(machine)
        bench_dask(args.file_rows, args.runs)
        return
    formulas, floats, booleans, _, _ = formula_set.load()
    frame = make_rows(args.rows, floats, booleans)
    print(f"{args.rows} float32 rows, best of {args.runs} runs, numexpr {numexpr.__version__} with 1 thread, "
          f"pandas {pd.__version__}")
    print(machine)
    bench_formulas(frame, formulas, booleans, args.runs)
    bench_threads(frame, formulas, booleans, args.runs)
    bench_memory(frame, booleans)
    if not args.skip_dask:
        del frame
        bench_dask(args.file_rows, args.runs)


if __name__ == "__main__":
    import veltra.dask  # noqa: F401  (the workers import it themselves)
    main()
