"""Formulas from several Python threads: the results are those of one
thread, whether the threads share one Formula (they take turns on it) or
each has its own."""

import threading

import numpy as np

import veltra

ROWS = 200_000
TEXTS = ["a * b + 1", "sqrt(abs(a)) - b / 3", "a > b ? a : b", "sin(a) * cos(b)", "a > 0 und b < 0"]


def _data():
    rng = np.random.default_rng(7)
    return {"a": rng.normal(0, 100, ROWS).astype(np.float32), "b": rng.normal(0, 100, ROWS).astype(np.float32)}


def _run_threads(jobs):
    results = [None] * len(jobs)
    errors = []
    start = threading.Barrier(len(jobs))

    def work(k):
        try:
            start.wait()
            results[k] = [jobs[k]() for _ in range(3)]
        except BaseException as e:  # noqa: B902 - reported below
            errors.append(e)

    threads = [threading.Thread(target=work, args=(k,)) for k in range(len(jobs))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors, errors
    return results


def test_one_formula_shared_by_threads_gives_the_single_thread_bits():
    data = _data()
    f = veltra.Formula("a * b + sqrt(abs(a))")
    expected = f(data)
    for runs in _run_threads([lambda: f(data)] * 6):
        for got in runs:
            assert got.tobytes() == expected.tobytes()


def test_distinct_formulas_in_threads_give_the_single_thread_bits():
    data = _data()
    expected = [veltra.Formula(t)(data) for t in TEXTS]
    jobs = [lambda t=t: veltra.Formula(t)(data) for t in TEXTS * 2]
    for k, runs in enumerate(_run_threads(jobs)):
        for got in runs:
            assert got.tobytes() == expected[k % len(TEXTS)].tobytes()


def test_compiles_in_threads_report_their_own_errors():
    texts = ["a +* b", "(a", "a b", "sin(", "a ? b"]
    expected = []
    for t in texts:
        try:
            veltra.Formula(t)
        except veltra.FormulaError as e:
            expected.append((e.code, e.position, e.message))

    def compile_error(t):
        try:
            veltra.Formula(t)
        except veltra.FormulaError as e:
            return (e.code, e.position, e.message)

    assert len(expected) == len(texts)
    jobs = [lambda t=t: [compile_error(t) for _ in range(200)] for t in texts]
    for k, runs in enumerate(_run_threads(jobs)):
        for run in runs:
            assert set(run) == {expected[k]}
