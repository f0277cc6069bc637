#!/usr/bin/env python3
"""Works out, from the shipped data files alone, the values of the phonotactic, uniqueness,
clustering, Levenshtein-frequency and morphology fields for a few words, as docs/measures.md
defines them: an independent check of the program's values (tests/core/data/shipped_data_test.cpp
holds them). Usage: shipped_values.py DATA_DIR WORD..."""
import math
import sys
import unicodedata

CORPUS_MILLIONS = 3.89903


def fold(word):
    out = []
    for c in word.lower():
        out.append(c if c == "ñ" else unicodedata.normalize("NFD", c)[0])
    return "".join(out)


def phonemes(pron):
    return "".join(c for c in pron if c not in "-'\"")


def lev(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[:], i
        for j, cb in enumerate(b, 1):
            row[j] = min(prev[j] + 1, row[j - 1] + 1, prev[j - 1] + (ca != cb))
    return row[-1]


def one_edit(a, b):
    return a != b and len(a) + len(b) > 0 and abs(len(a) - len(b)) <= 1 and lev(a, b) == 1


def probabilities(keys, weights):
    seg, reach, pair, preach = {}, {}, {}, {}
    for k, w in zip(keys, weights):
        for i, c in enumerate(k):
            seg[i, c] = seg.get((i, c), 0) + w
            reach[i] = reach.get(i, 0) + w
            if i + 1 < len(k):
                pair[i, k[i:i + 2]] = pair.get((i, k[i:i + 2]), 0) + w
                preach[i] = preach.get(i, 0) + w

    def sums(key):
        s = sum(seg.get((i, c), 0) / reach[i] for i, c in enumerate(key) if i in reach)
        b = sum(pair.get((i, key[i:i + 2]), 0) / preach[i]
                for i in range(len(key) - 1) if i in preach)
        return s, b
    return sums


def uniqueness(keys, key):
    longest = 0
    for k in keys:
        if k == key:
            continue
        n = 0
        while n < len(k) and n < len(key) and k[n] == key[n]:
            n += 1
        longest = max(longest, n)
    return longest + 1


def main():
    data, words = sys.argv[1], sys.argv[2:]
    lex = [line.rstrip("\n").split("\t") for line in open(f"{data}/nwfreq_EUS.txt", encoding="utf-8")]
    forms = [w for w, *_ in lex]
    freqs = [float(f) for _, f, *_ in lex]
    orth = [fold(w) for w in forms]
    phon = [phonemes(p) for *_, p in lex]
    weights = [math.log10(f * CORPUS_MILLIONS) for f in freqs]
    orth_sums, phon_sums = probabilities(orth, weights), probabilities(phon, weights)
    orth_set, phon_set = set(orth), set(phon)
    lemma_freq = {l: float(f) for l, f in (x.split("\t") for x in
                                            open(f"{data}/lemak_EUS2.txt", encoding="utf-8").read().splitlines())}
    pairs = [x.split("\t") for x in open(f"{data}/formak_EUS.txt", encoding="utf-8").read().splitlines()]
    main_lemma, best, family = {}, {}, {}
    for form, lemma, share in pairs:
        if float(share) > best.get(form, -1):
            main_lemma[form], best[form] = lemma, float(share)
        family.setdefault(lemma, set()).add(form)
    freq_of = dict(zip(forms, freqs))
    alphabet = "abcdefghijklmnñopqrstuvwxyz"
    for word in words:
        i = forms.index(word)
        key, pkey = orth[i], phon[i]
        fp, op = phon_sums(pkey), orth_sums(key)
        subs = sorted({key[:p] + c + key[p + 1:] for p in range(len(key)) for c in alphabet
                       if c != key[p] and key[:p] + c + key[p + 1:] in orth_set})
        phon_ns = sorted({k for k in phon_set if one_edit(k, pkey)})

        def cc(ns):
            k = len(ns)
            if k < 2:
                return None
            e = sum(one_edit(a, b) for x, a in enumerate(ns) for b in ns[x + 1:])
            return 2 * e / (k * (k - 1))

        def nf(keys):
            d = sorted((lev(key_of, k), j) for j, k in enumerate(keys) if lev(key_of, k) > 0)
            cut = d[19][0]
            taking = [j for dist, j in d if dist <= cut]
            return sum(math.log10(freqs[j]) + 3 for j in taking) / len(taking), len(taking)
        key_of = key
        old20f = nf(orth)
        key_of = pkey
        pld20f = nf(phon)
        lemma = main_lemma[word]
        members = [f for f in family[lemma] if f in freq_of]
        total = sum(freq_of[f] for f in members)
        entropy = -sum(freq_of[f] / total * math.log2(freq_of[f] / total) for f in members)
        print(f"{word}: FP_SEG {fp[0]:.4f} FP_BIF {fp[1]:.4f} OP_SEG {op[0]:.4f} OP_BIF {op[1]:.4f} "
              f"UP_ORT {uniqueness(orth_set, key)} UP_FON {uniqueness(phon_set, pkey)} "
              f"CC_ORT {cc(subs)} ({len(subs)} neighbours) CC_FON {cc(phon_ns)} ({len(phon_ns)}) "
              f"OLD20F {old20f[0]:.4f} ({old20f[1]} words) PLD20F {pld20f[0]:.4f} ({pld20f[1]}) "
              f"LEMA {lemma} LEMA_MAIZT {lemma_freq.get(lemma)} FAMILIA {len(members)} "
              f"FAMILIA_MAIZT {total:.4f} ENTROPIA {entropy:.4f}")


if __name__ == "__main__":
    main()
