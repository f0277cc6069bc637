"""Word and nonword statistics for choosing Basque stimuli, from Python.

The module measures items with Zirtel's own engine (the numbers are those of
``zirtel-batch --batch``), lists their neighbours, makes pseudowords and
chooses or matches stimuli by a design file. Tables come back as
``pandas.DataFrame`` objects when pandas can be imported, else as dicts of
lists with the same columns.

    >>> import zirtel
    >>> lex = zirtel.Lexicon()
    >>> lex.measure(["etxe", "mendi"], fields=["H_MAIZT", "N", "OLD20"])
"""

import os

from . import _zirtel

__all__ = ["Lexicon", "fields"]

_DEFAULT_FIELDS = ("H_MAIZT", "N", "OLD20")


def _list_of_texts(values, what):
    if isinstance(values, (str, bytes)):
        raise TypeError(f"{what} must be a list of texts, not one text")
    return [str(v) for v in values]


def fields():
    """The fields: mnemonic (the name ``measure`` takes), the column's
    header in the results, the group of the analysis options it sits in,
    its description (the option's caption) and, for USER1-USER3, the number
    of the user field (0 for the others)."""
    return _zirtel.fields()


class Lexicon(_zirtel.Lexicon):
    """A lexicon and its tables: the shipped data by default (found as the
    programs find it: beside the programs of a build tree, the installed
    data folder, else $ZIRTEL_DATA_DIR), or the folder ``data_dir`` holding
    nwfreq_EUS.txt and the tables. ``lemmas=True`` measures the frequency and
    letter measures against the lemma lexicon (lemak_EUS2.txt).

    Nothing is printed: ``messages`` holds the engine's messages ("CAPTION:
    TEXT") of the last call (a table that could not be read, say).

    Raises FileNotFoundError when the folder or its lexicon does not exist,
    ValueError when the lexicon holds no readable entry."""

    def __init__(self, data_dir=None, lemmas=False):
        super().__init__(None if data_dir is None else os.fspath(data_dir), bool(lemmas))

    def measure(self, items, fields=_DEFAULT_FIELDS, rule_pronunciations=False,
                include_deletions=False, include_additions=False, user_fields=None,
                jobs=None):
        """Measures the items: one row per item, in order, a column "item"
        and one column per field named by its mnemonic, in the order of the
        field table (``"all"`` names every field). Counts are integers
        (pandas' Int64, missing as pd.NA), reals floats (missing as NaN),
        texts str (missing as None). Values are not rounded.

        ``rule_pronunciations``: items not in the lexicon are pronounced and
        syllabified by the spelling rules. ``include_deletions`` /
        ``include_additions``: the neighbour counts also take deletion and
        addition neighbours. ``user_fields``: up to three files, for USER1,
        USER2 and USER3. ``jobs``: workers (default one per core).

        Raises ValueError for an unknown field (the message lists the valid
        names), an empty item list or an item longer than 18 letters."""
        return super().measure(_list_of_texts(items, "items"),
                               _list_of_texts(fields, "fields"),
                               bool(rule_pronunciations), bool(include_deletions),
                               bool(include_additions),
                               None if user_fields is None else
                               [os.fspath(f) if f else "" for f in user_fields],
                               jobs)

    def neighbours(self, items, rule_pronunciations=False, include_deletions=False,
                   include_additions=False, jobs=None):
        """The neighbours of the items as one long table, as
        ``--neighbours-tidy`` writes it: item, neighbour, list
        ("orthographic" or "phonological"), kind ("substitution",
        "deletion", "addition"), position (1-based) and frequency (not
        rounded); first every orthographic neighbour, then the phonological
        ones, each by item in order."""
        return super().neighbours(_list_of_texts(items, "items"), bool(rule_pronunciations),
                                  bool(include_deletions), bool(include_additions), jobs)

    def generate(self, templates, n=10, seed=1, foreign_words=False,
                 allow_dictionary_words=False):
        """Pseudowords like the templates, ``n`` per template, from the
        seeded random walks of ``--generate`` (the same seed gives the same
        table on any machine): template, pseudoword, syllables, overlap,
        max_dev, sum_dev, OLD20, OLD20_diff, pronunciation. Words of the
        Basque spelling dictionary are left out unless
        ``allow_dictionary_words``."""
        return _zirtel.generate(self, _list_of_texts(templates, "templates"), int(n),
                                int(seed), bool(foreign_words), bool(allow_dictionary_words))

    def select(self, design, seed=None, long=False):
        """Chooses stimuli by a design (its text, or the path of its file) as
        ``--select`` does: the table of rows, one item per cell of the design
        (``long=True``: one line per item with its values). ``seed`` replaces
        the seed of the design's "generate" line. A design given as text, or
        with a seed, takes a relative items file from the current folder."""
        return _zirtel.select(self, os.fspath(design), seed, bool(long))

    def match(self, items, design, n=10):
        """For each item the ``n`` closest pool items of the design that pass
        its filters and satisfy its controls, as ``--match`` lists them."""
        return _zirtel.match(self, _list_of_texts(items, "items"), os.fspath(design), int(n))
