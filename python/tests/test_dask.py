"""veltra.dask.evaluate on a cluster of two worker processes gives the bits
of one process evaluating all files at once."""

import dask.dataframe as dd
import numpy as np
import pandas as pd
import pytest
from distributed import Client, LocalCluster

import plant_files
import veltra
import veltra.dask


@pytest.fixture(scope="module")
def plant_folder(tmp_path_factory):
    folder = tmp_path_factory.mktemp("plants")
    return folder, plant_files.write(folder, files=20, rows=2000)


@pytest.fixture(scope="module")
def client():
    with LocalCluster(**plant_files.LOCAL_CLUSTER) as cluster, Client(cluster) as c:
        yield c


def test_cluster_gives_the_bits_of_one_process(plant_folder, client):
    folder, paths = plant_folder
    ddf = dd.read_csv(str(folder / "plant_*.csv"), blocksize=None, **plant_files.READ_OPTIONS)
    assert ddf.npartitions == 20
    lazy = veltra.dask.evaluate(ddf, *plant_files.FORMULAS, booleans=plant_files.BOOLEANS)
    assert len(client.scheduler_info()["workers"]) == 2
    spread = lazy.compute().reset_index(drop=True)
    alone = veltra.evaluate(plant_files.read_all(paths), *plant_files.FORMULAS, booleans=plant_files.BOOLEANS)
    assert list(spread.columns) == list(alone.columns)
    for named in plant_files.FORMULAS:
        name = named.split("=")[0]
        assert spread[name].dtype == alone[name].dtype
        assert spread[name].to_numpy().tobytes() == alone[name].to_numpy().tobytes(), name
    assert alone["laeuft"].dtype == np.bool_ and alone["leistung_kW"].dtype == np.float32


def test_a_formula_error_is_raised_before_any_task():
    ddf = dd.from_pandas(pd.DataFrame({"druck": np.arange(6, dtype=np.float32)}), npartitions=2)
    with pytest.raises(veltra.FormulaError):
        veltra.dask.evaluate(ddf, "druck * (")
    with pytest.raises(veltra.ColumnError, match="no column is named 'Druck'"):
        veltra.dask.evaluate(ddf, "Druck * 2")
