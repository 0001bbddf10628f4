#!/usr/bin/env python3
"""Makes the texts the benchmarks feed to the program, from a separated-text dictionary ("term;explanation"
lines, as freedict2lxd.py --format csv writes them):

  text-10k.txt   10,000 words of running text: terms of the dictionary (mostly hits, as in a real text)
                 with every tenth word a made-up word that no entry holds, joined by spaces and punctuation
  mass-100k.txt  100,000 mass-data lines "term;explanation;" (CR LF)

  make_inputs.py eng-deu.csv OUTPUT_FOLDER
"""
import os
import sys


def lcg(seed):
    state = seed
    while True:
        state = (state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
        yield state >> 33


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    src, folder = sys.argv[1], sys.argv[2]
    rows = []
    with open(src, "rb") as f:
        for line in f:
            term, _, expl = line.rstrip(b"\r\n").partition(b";")
            if term:
                rows.append((term, expl))
    single_words = [t for t, _ in rows if t.isalpha() and len(t) > 1]
    rnd = lcg(2024)

    words = []
    for i in range(10000):
        if i % 10 == 9:
            words.append(b"qx%dzv" % (next(rnd) % 100000))
        else:
            words.append(single_words[next(rnd) % len(single_words)])
    text = bytearray()
    for i, word in enumerate(words):
        text += word
        text += b". " if i % 12 == 11 else (b", " if i % 7 == 6 else b" ")
    with open(os.path.join(folder, "text-10k.txt"), "wb") as out:
        out.write(bytes(text))

    with open(os.path.join(folder, "mass-100k.txt"), "wb") as out:
        picked = [rows[next(rnd) % len(rows)] for _ in range(100000)]
        out.write(b"".join(b"%s;%s;\r\n" % (t, e) for t, e in picked))


if __name__ == "__main__":
    main()
