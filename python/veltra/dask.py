"""The evaluation over a Dask dataframe, partition by partition.

    import dask.dataframe as dd
    from distributed import Client
    import veltra.dask

    client = Client("tcp://scheduler:8786")
    ddf = dd.read_csv("anlage/*.csv", sep=";", decimal=",")
    out = veltra.dask.evaluate(ddf, "leistung_kW=druck * durchfluss / 36",
                               booleans=("pumpe_ein",))
    out.to_parquet("ergebnis/")

Each partition is evaluated by veltra.evaluate wherever Dask runs it (the
workers import veltra themselves); the result is the same bits as one
process evaluating the whole frame.
"""

from ._frame import evaluate as _evaluate_frame


def evaluate(ddf, *formulas, booleans=None, names=None):
    """`ddf` with one result column per formula (see veltra.evaluate). The
    formulas are compiled here first, on the empty frame Dask keeps as its
    schema, so a formula with an error fails at once, before any task."""
    meta = _evaluate_frame(ddf._meta, *formulas, booleans=booleans, names=names)
    return ddf.map_partitions(_evaluate_frame, *formulas, booleans=booleans, names=names, meta=meta)
