"""Shared fixtures: the repository, the formula tool and the library of the
release build (scripts/build.sh release), and the benchmark's formula set."""

import os
import pathlib
import sys

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "bench"))
sys.path.insert(0, str(ROOT / "examples"))

import formula_set  # noqa: E402


def _release_file(name):
    build = pathlib.Path(os.environ.get("VELTRA_RELEASE_BUILD", ROOT / "build" / "release"))
    path = build / name
    if not path.exists():
        pytest.fail(f"{path} is missing: run scripts/build.sh release first")
    return path


@pytest.fixture(scope="session")
def root():
    return ROOT


@pytest.fixture(scope="session")
def vtcalc():
    return _release_file("vtcalc")


@pytest.fixture(scope="session")
def library_path():
    return _release_file("libveltra.so")


@pytest.fixture(scope="session")
def bench_set():
    return formula_set.load()
