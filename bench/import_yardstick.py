#!/usr/bin/python3
"""The yardstick for sfxtal-cli import: the same work file from a short script over Debian's
python3-dbfread, as an operator might write it.

    import_yardstick.py --folder DIR [--from Y-M-D] [--to Y-M-D] [--marks TEXT] LOG

It decodes the fields the import uses (CALLS, IGN, DATE, QSL), applies the same suffix rules and
give-up marks and writes DIR/sfxtal.tmp, for a log in date order (the sample logs are): QSOs whose
callsign does not tell the suffix are left out, as with the bypass choice. It does not classify
frequencies, which change nothing in the work file. Used only to measure against; sfxtal-cli's
tests check that its work file is the same, byte for byte.
"""

import argparse
import os
import re
import sys

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
    return 0


if __name__ == "__main__":
    sys.exit(main())
