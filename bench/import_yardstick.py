#!/usr/bin/python3
"""The yardstick for sfxtal-cli import: the whole job from a short script over Debian's
python3-dbfread and python3-xlsxwriter, as an operator might write it.

    import_yardstick.py --folder DIR [--from Y-M-D] [--to Y-M-D] [--marks TEXT] LOG

It decodes the fields the import uses (CALLS, IGN, DATE, QSL), applies the same suffix rules and
give-up marks and writes DIR/sfxtal.tmp, for a log in date order (the sample logs are): QSOs whose
callsign does not tell the suffix are left out, as with the bypass choice. It does not classify
frequencies, which change nothing in the work file. Then it tallies the work file as the stand-in
does into DIR/実績.txt, and writes DIR/sfxtal.xlsx with the same sheets, cells and red. Used only
to measure against; sfxtal-cli's tests check that its work file and 実績.txt are the same, byte
for byte.
"""

import argparse
import datetime
import os
import re
import sys

import xlsxwriter
from dbfread import DBF

NOT_YET = b"\x96\xa2"  # "未" in CP932
TRAILING_LETTERS = re.compile(r"[A-Z]*\Z")


class TevrakLog(DBF):
    """dbfread's record loop, delivering every record whatever its status byte: the logging
    program's reader does not skip deleted records."""

    def _iter_records(self, record_type=b" "):
        with open(self.filename, "rb") as infile:
            infile.seek(self.header.headerlen, 0)
            read = infile.read
            fields = self.fields
            for _ in range(self.header.numrecords & 0xFFFFFF):
                if not read(1):
                    break
                yield self.recfactory([(field.name, read(field.length)) for field in fields])


def as_character(byte):
    """The log's "bytes as characters": ASCII, half-width katakana, or the byte carried through."""
    if byte < 0x80:
        return chr(byte)
    if 0xA1 <= byte <= 0xDF:
        return chr(0xFF61 + byte - 0xA1)
    return chr(0xF780 + byte)


def normalize(callsign):
    callsign = callsign.strip(" ")
    pair = callsign.find("  ")
    if pair >= 0:
        callsign = callsign[:pair] + "/" + callsign[pair + 2 :]
    callsign = callsign.replace(" ", "")
    slashes = callsign.find("//")
    if slashes >= 0:
        callsign = callsign[: slashes + 1] + callsign[slashes + 2 :]
    return callsign


def base_call(callsign, calls):
    """The part the suffix is taken from, or None when the callsign does not tell it."""
    if not callsign:
        return calls
    parts = callsign.split("/")
    if len(parts) == 1:
        return callsign
    if len(parts) > 2 or len(parts[0]) == len(parts[1]):
        return None
    return max(parts, key=len)


def date_text(date):
    text = ""
    for i, byte in enumerate(date):
        text += "%02d" % byte
        if i in (1, 2):
            text += "-"
    return text


def period_bound(text, default):
    parts = text.split("-") if text else default
    return parts[0][:4] + "-" + parts[1][:2] + "-" + parts[2][:2]


def suffixes():
    """Every suffix in suffix order: A .. Z, AA .. ZZ, AAA .. ZZZ."""
    letters = [chr(c) for c in range(ord("A"), ord("Z") + 1)]
    order = list(letters)
    order += [a + b for a in letters for b in letters]
    order += [a + b + c for a in letters for b in letters for c in letters]
    return order


WORK_LINE = re.compile(rb'"([^"]*)","([^"]*)","([^"]*)","([^"]*)"\Z')
CAPITALS = re.compile(rb"[A-Z]{1,3}\Z")


def tally(folder):
    """Per suffix the QSO the stand-in chooses: among its lines with a base call (all of them when
    none has one), the first whose mark is not "未", else the first. Returns the rows and the number
    of lines skipped."""
    chosen = {}  # suffix: (rank, base, date, mark)
    skipped = 0
    with open(os.path.join(folder, "sfxtal.tmp"), "rb") as work:
        for line in work:
            match = WORK_LINE.match(line.rstrip(b"\r\n"))
            if not match:
                skipped += 1
                continue
            base, suffix, date, mark = match.groups()
            if not CAPITALS.match(suffix):
                skipped += 1
                continue
            rank = (2 if base else 0) + (0 if mark == NOT_YET else 1)
            if suffix not in chosen or rank > chosen[suffix][0]:
                chosen[suffix] = (rank, base, date, mark)
    return chosen, skipped


def write_results(folder, order, chosen):
    with open(os.path.join(folder, "実績.txt"), "wb") as results:
        for suffix in order:
            _, base, date, mark = chosen.get(suffix.encode(), (0, b"", b"", b""))
            results.write(b'"%s","%s","%s","%s"\r\n' % (suffix.encode(), base, date, mark))


def write_workbook(folder, order, chosen, skipped):
    book = xlsxwriter.Workbook(os.path.join(folder, "sfxtal.xlsx"), {"constant_memory": True})
    sheet = book.add_worksheet("実績")
    heading = book.add_format({"bold": True, "bottom": 1})
    red = book.add_format({"font_color": "red"})
    date_format = book.add_format({"num_format": "yyyy/mm/dd"})
    red_date = book.add_format({"num_format": "yyyy/mm/dd", "font_color": "red"})
    for column, width in enumerate((12, 16, 12, 8)):
        sheet.set_column(column, column, width)
    sheet.freeze_panes(1, 0)
    sheet.autofilter(0, 0, len(order), 3)
    sheet.write_row(0, 0, ("サフィックス", "コールサイン", "交信日", "マーク"), heading)
    for row, suffix in enumerate(order, 1):
        _, base, date, mark = chosen.get(suffix.encode(), (0, b"", b"", b""))
        unconfirmed = bool(base or date or mark) and mark == NOT_YET
        sheet.write_string(row, 0, suffix)
        sheet.write_string(row, 1, base.decode("cp932"), red if unconfirmed else None)
        try:
            day = datetime.datetime.strptime(date.decode("ascii"), "%Y/%m/%d")
            sheet.write_datetime(row, 2, day, red_date if unconfirmed else date_format)
        except ValueError:
            sheet.write_string(row, 2, date.decode("cp932"), red if unconfirmed else None)
        sheet.write_string(row, 3, mark.decode("cp932"))

    totals = book.add_worksheet("集計")
    count = book.add_format({"num_format": "#,##0"})
    percent = book.add_format({"num_format": "0.00%"})
    totals.set_column(0, 0, 30)
    totals.set_column(1, 1, 12)
    totals.write_row(0, 0, ("項目", "値"), heading)
    row = 1
    for letters, group in ((0, "全体"), (1, "1 文字"), (2, "2 文字"), (3, "3 文字")):
        group_suffixes = [s for s in order if letters in (0, len(s))]
        worked = [chosen[s.encode()] for s in group_suffixes if s.encode() in chosen]
        confirmed = [c for c in worked if c[1] and c[3] != NOT_YET]
        for label, value, form in (
            ("サフィックス数", len(group_suffixes), count),
            ("交信済み", len(worked), count),
            ("コンファーム済み", len(confirmed), count),
            ("コンファーム率", len(confirmed) / len(group_suffixes), percent),
        ):
            totals.write_string(row, 0, "%s (%s)" % (label, group))
            totals.write_number(row, 1, value, form)
            row += 1
    totals.write_string(row, 0, "読み飛ばした行")
    totals.write_number(row, 1, skipped, count)
    book.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--from", dest="start")
    parser.add_argument("--to", dest="end")
    parser.add_argument("--marks", default="")
    parser.add_argument("log")
    args = parser.parse_args()

    path = args.log if args.log[-4:].upper() == ".TDB" else args.log + ".tdb"
    start = period_bound(args.start, ["1997", "07", "15"])
    end = period_bound(args.end, ["9999", "99", "99"])
    marks = args.marks
    have_marks = marks.strip(" ") != ""

    # latin-1 keeps one character per byte, so that the text is the log's bytes throughout.
    log = TevrakLog(path, raw=True, encoding="latin-1")
    out = open(os.path.join(args.folder, "sfxtal.tmp"), "wb")
    lines = 0
    for record in log:
        date = date_text(record["DATE"])
        if date > end:
            break
        if date < start:
            continue
        calls = record["CALLS"].decode("latin-1").strip(" ")
        callsign = normalize(calls + record["IGN"].decode("latin-1"))
        base = base_call(callsign, calls)
        if base is None:
            continue
        suffix = TRAILING_LETTERS.search(base).group()
        if not 1 <= len(suffix) <= 3:
            continue
        qsl3 = record["QSL"][2:3]
        mark = NOT_YET
        if qsl3 != b" ":
            mark = qsl3
            if have_marks and as_character(qsl3[0]) in marks:
                mark = NOT_YET
        date = date[0:4] + "/" + date[5:7] + "/" + date[8:10]
        out.write(
            b'"%s","%s","%s","%s"\r\n'
            % (base.encode("latin-1"), suffix.encode("latin-1"), date.encode("latin-1"), mark)
        )
        lines += 1
    out.close()
    print("%d lines written" % lines)

    order = suffixes()
    chosen, skipped = tally(args.folder)
    write_results(args.folder, order, chosen)
    write_workbook(args.folder, order, chosen, skipped)
    return 0


if __name__ == "__main__":
    sys.exit(main())
