#!/usr/bin/env python3
"""Scale an .lxd dictionary (CLASS_TABLE_XML2, length-prefixed cells, CR LF) to N rows by repeating its
rows; copy k>=2 gets the term suffix " #k" (so terms stay distinct), explanation and date are copied
unchanged. The output uses the same byte format.

  scale_lxd.py eng-deu.lxd eng-deu-1M.lxd [--rows 1000000]
"""
import argparse
import sys

CELL_OPEN = b"<CT_C="
CELL_CLOSE = b"</CT_C>"
ROW_OPEN = b"<CT_R>"
ROW_CLOSE = b"</CT_R>"


def parse(data, columns=3):
    """The rows of a document whose cells carry their byte length; fails loudly on anything else."""
    rows = []
    pos = data.find(ROW_OPEN)
    while pos >= 0:
        pos += len(ROW_OPEN)
        cells = []
        for _ in range(columns):
            start = data.index(CELL_OPEN, pos) + len(CELL_OPEN)
            end_of_tag = data.index(b">", start)
            length = int(data[start:end_of_tag])
            text = data[end_of_tag + 1:end_of_tag + 1 + length]
            pos = end_of_tag + 1 + length
            if data[pos:pos + len(CELL_CLOSE)] != CELL_CLOSE:
                sys.exit("cell length does not match at byte %d" % pos)
            cells.append(text)
            pos += len(CELL_CLOSE)
        rows.append(tuple(cells))
        close = data.index(ROW_CLOSE, pos)
        pos = data.find(ROW_OPEN, close)
    return rows


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("src")
    ap.add_argument("out")
    ap.add_argument("--rows", type=int, default=1000000)
    a = ap.parse_args()
    with open(a.src, "rb") as f:
        rows = parse(f.read())
    if not rows:
        sys.exit("no rows in %s" % a.src)
    with open(a.out, "wb") as out:
        out.write(b'<?xml version="1.0" encoding="utf-8" ?>\r\n<CLASS_TABLE_XML2>\r\n'
                  b"<CT_ROWS>%d</CT_ROWS>\r\n<CT_COLUMNS>3</CT_COLUMNS>\r\n"
                  b"<CT_CHARSET>65001</CT_CHARSET>\r\n" % a.rows)
        n, copy = 0, 1
        while n < a.rows:
            buf = []
            for term, expl, date in rows:
                if n >= a.rows:
                    break
                t = term if copy == 1 else term + b" #%d" % copy
                buf.append(b" <CT_R>\r\n  <CT_C=%d>%s</CT_C>\r\n  <CT_C=%d>%s</CT_C>\r\n"
                           b"  <CT_C=%d>%s</CT_C>\r\n </CT_R>\r\n"
                           % (len(t), t, len(expl), expl, len(date), date))
                n += 1
            out.write(b"".join(buf))
            copy += 1
        out.write(b"</CLASS_TABLE_XML2>\r\n")
    print("rows=%d copies=%d" % (n, copy - 1), file=sys.stderr)


if __name__ == "__main__":
    main()
