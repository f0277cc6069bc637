# The Python module against the batch mode on the small hand-made data of tests/data.
import math
import os
import subprocess
from pathlib import Path

import pandas as pd
import pytest

import zirtel

DATA = Path(os.environ["ZIRTEL_TEST_DATA"])
BATCH = os.environ["ZIRTEL_BATCH"]
SELECTION = DATA / "selection" / "engine"


def batch(*args):
    run = subprocess.run([BATCH, *map(str, args)], capture_output=True, text=True, check=True)
    return run.stdout


def batch_table(text):
    lines = [line.split("\t") for line in text.splitlines()]
    return [h.strip() for h in lines[0]], lines[1:]


@pytest.fixture(scope="module")
def lex():
    return zirtel.Lexicon(SELECTION)


def test_measure_gives_values_with_missing_ones():
    small = zirtel.Lexicon(DATA / "batch_results")
    table = small.measure(["mesa", "zzzz", "Mes"],
                          fields=["OLD20", "h_maizt", "N", "AHOSKERA"], jobs=1)
    assert list(table.columns) == ["item", "H_MAIZT", "AHOSKERA", "N", "OLD20"]
    assert list(table["item"]) == ["mesa", "zzzz", "Mes"]
    assert list(table["H_MAIZT"]) == [10.0, 0.0, 5.0]
    # Five words are fewer than OLD20's twenty.
    assert all(math.isnan(x) for x in table["OLD20"])
    # mesa: lesa and masa differ in one letter (mes and mesak are no substitution neighbours).
    assert list(table["N"]) == [2, 0, 0]
    assert str(table["N"].dtype) == "Int64"
    assert table["AHOSKERA"][0] == "mE-sA" and table["AHOSKERA"][1] is pd.NA


def test_measure_equals_the_batch_mode_for_every_field(lex, tmp_path):
    items = [line.split("\t")[0] for line in
             (SELECTION / "nwfreq_EUS.txt").read_text().splitlines()]
    items += ["qatu", "hetxea", "krt", "x"]
    (tmp_path / "items.txt").write_text("\n".join(items) + "\n")
    header, rows = batch_table(batch("--batch", tmp_path / "items.txt", "--fields", "all",
                                     "--missing", "NA", "--plain", "--decimals", "4",
                                     "--data-dir", SELECTION))
    table = lex.measure(items, fields=["all"])
    assert len(rows) == len(items) == len(table)
    # The same columns in the same order (the user field's header is its file's name).
    assert len(header) == len(table.columns) and header[1] == "Irudigarritasuna"
    compared = 0
    for column, name in enumerate(table.columns[1:], start=1):
        for r, value in enumerate(table[name]):
            text = rows[r][column]
            # The results leave a too short item's row empty.
            if text == "NA" or (text == "" and len(items[r]) < 2):
                assert pd.isna(value), (name, items[r])
            elif isinstance(value, float):
                assert f"{value:.4f}" == text, (name, items[r], value, text)
            else:
                assert str(value) == text.strip(), (name, items[r])
            compared += 1
    assert compared == len(items) * (len(table.columns) - 1) > 1000


def test_errors_carry_the_engines_message(lex, tmp_path):
    with pytest.raises(ValueError, match=r'unknown field "NN"; valid names: .*H_MAIZT.*OLD20'):
        lex.measure(["etxe"], fields=["NN"])
    with pytest.raises(ValueError, match="holds no item"):
        lex.measure([], fields=["N"])
    with pytest.raises(ValueError, match=r'must not exceed 18 letters: "a{40}" \(item 2\)'):
        lex.measure(["etxe", "a" * 40], fields=["N"])
    with pytest.raises(FileNotFoundError, match="nowhere"):
        zirtel.Lexicon(tmp_path / "nowhere")
    with pytest.raises(FileNotFoundError, match="nwfreq_EUS.txt"):
        zirtel.Lexicon(tmp_path)
    with pytest.raises(TypeError):
        lex.measure("etxe", fields=["N"])


def test_neighbours_equal_the_tidy_table(tmp_path):
    folder = DATA / "batch_results"
    (tmp_path / "items.txt").write_text("mesa\nlesa\n")
    tidy = tmp_path / "tidy.tsv"
    batch("--batch", tmp_path / "items.txt", "--fields", "N,PN", "--include-deletions",
          "--neighbours-tidy", tidy, "--data-dir", folder, "-o", tmp_path / "out.tsv")
    expected = pd.read_csv(tidy, sep="\t")
    table = zirtel.Lexicon(folder).neighbours(["mesa", "lesa"], include_deletions=True)
    assert list(table.columns) == list(expected.columns)
    assert len(table) == len(expected) > 0
    for column in ["item", "neighbour", "list", "kind", "position"]:
        assert list(table[column]) == list(expected[column])
    assert [round(f, 2) for f in table["frequency"]] == list(expected["frequency"])


def test_select_match_generate_equal_the_batch_mode(lex, tmp_path):
    design = SELECTION / "select.design"
    batch("--select", design, "--data-dir", SELECTION, "-o", tmp_path / "rows.tsv")
    assert lex.select(design).equals(pd.read_csv(tmp_path / "rows.tsv", sep="\t",
                                                 keep_default_na=False, na_values=["NA"]))
    # Another seed replaces the design's.
    seeded = design.read_text().replace("seed 7", "seed 8")
    (tmp_path / "seeded.design").write_text(seeded)
    batch("--select", tmp_path / "seeded.design", "--data-dir", SELECTION,
          "-o", tmp_path / "rows8.tsv")
    assert lex.select(design, seed=8).equals(pd.read_csv(tmp_path / "rows8.tsv", sep="\t",
                                                         keep_default_na=False,
                                                         na_values=["NA"]))

    batch("--match", SELECTION / "match_items.txt", "--design", SELECTION / "match.design",
          "-n", 3, "--data-dir", SELECTION, "-o", tmp_path / "match.tsv")
    matched = lex.match(["gose", "etxe"], SELECTION / "match.design", n=3)
    assert matched.equals(pd.read_csv(tmp_path / "match.tsv", sep="\t",
                                      keep_default_na=False, na_values=["NA"]))

    generator = DATA / "generator"
    batch("--generate", generator / "templates.txt", "-n", 3, "--seed", 5,
          "--data-dir", generator, "-o", tmp_path / "gen.tsv")
    made = zirtel.Lexicon(generator).generate(["Gela", "e"], n=3, seed=5)
    assert made.equals(pd.read_csv(tmp_path / "gen.tsv", sep="\t", keep_default_na=False,
                                   na_values=["NA"]))
    assert len(made) > 0


def test_fields_lists_the_field_table():
    table = zirtel.fields()
    assert "OLD20" in list(table["mnemonic"])
    row = table[table["mnemonic"] == "H_MAIZT"].iloc[0]
    assert row["header"] == "H_MAIZT" and row["description"] == "Hitzaren maiztasuna"
