#!/usr/bin/python3
"""Reads back the workbooks that the spreadsheet stand-in writes, with openpyxl, and checks them
against a tally of the same work file made here, apart from the program's own code.

Usage: check_workbooks.py MAKE_WORKBOOKS [EMULATOR...]
A Windows MAKE_WORKBOOKS runs under the emulator (Wine), which finds this machine's folders on
its drive Z:.
"""

import datetime
import os
import random
import string
import subprocess
import sys
import tempfile
import unittest

import openpyxl

DRIVER = None
EMULATOR = []
NOT_YET = "未"
RED = "FFFF0000"
TOTAL = 18278


def all_suffixes():
    letters = string.ascii_uppercase
    suffixes = list(letters)
    suffixes += [a + b for a in letters for b in letters]
    suffixes += [a + b + c for a in letters for b in letters for c in letters]
    return suffixes


SUFFIXES = all_suffixes()


def quoted(fields):
    return ",".join('"' + field + '"' for field in fields)


def random_work_lines(rng, count):
    """Lines of the work file as the import writes them, with the fields each one holds."""
    lines = []
    for number in range(count):
        length = rng.choice([1, 2, 2, 3, 3, 3])
        if length == 3 and number % 2:
            # Mostly worked once: many stay unconfirmed.
            suffix = "".join(rng.choice(string.ascii_uppercase) for _ in range(3))
        else:
            # A few letters only, so that these suffixes come up again and again.
            suffix = rng.choice("ABCQ") + "".join(rng.choice("AJKZ") for _ in range(length - 1))
        base = "QQ%d%s" % (rng.randrange(10), suffix)
        date = "20%02d/%02d/%02d" % (rng.randrange(25), rng.randrange(1, 13), rng.randrange(1, 29))
        mark = rng.choice([NOT_YET, NOT_YET, "J", "B", "N"])
        fields = [base, suffix, date, mark]
        lines.append((quoted(fields), fields))
    return lines


SPECIAL_LINES = [
    # A quote ends a quoted field (what follows it up to the comma is dropped); a comma inside one.
    ('"QQ1"X","X","2001/01/01","J"', ["QQ1", "X", "2001/01/01", "J"]),
    ('"QQ1,Y","Y","2001/01/02","' + NOT_YET + '"', ["QQ1,Y", "Y", "2001/01/02", NOT_YET]),
    # Unquoted fields.
    ("QQ1ZZZ,ZZZ,2001/01/03,J", ["QQ1ZZZ", "ZZZ", "2001/01/03", "J"]),
    # A base call and a mark longer than any column would be by default.
    ('"QQ9/JA1ABC/P5/KH6XYZ/ABCDEFGHIJKLMN","ZZX","2001/01/03","' + "確" * 30 + '"',
     ["QQ9/JA1ABC/P5/KH6XYZ/ABCDEFGHIJKLMN", "ZZX", "2001/01/03", "確" * 30]),
    # A line without a base call gives way to a later one with one; a date that is no day.
    ('"","ZZY","2001/01/04","J"', ["", "ZZY", "2001/01/04", "J"]),
    ('"QQ1ZZY","ZZY","2001/02/29","' + NOT_YET + '"', ["QQ1ZZY", "ZZY", "2001/02/29", NOT_YET]),
    # Suffixes that do not count, and lines without four fields: all skipped.
    ('"QQ1ABCD","ABCD","2001/01/04","J"', None),
    ('"QQ1abc","abc","2001/01/05","J"', None),
    ('"QQ1","","2001/01/06","J"', None),
    ('"QQ1W","W","2001/01/07"', None),
    ('"QQ1W","W","2001/01/07","J","X"', None),
    ("", None),
]


def expected_tally(lines):
    """The chosen fields per suffix: the first line not marked 未, else the first line, among the
    lines with a base call when there are any."""
    chosen = {}
    skipped = 0

    def rank(entry):
        return 2 * (entry[0] != "") + (entry[2] != NOT_YET)

    for _, fields in lines:
        if fields is None:
            skipped += 1
            continue
        base, suffix, date, mark = fields
        old = chosen.get(suffix)
        if old is None or rank((base, date, mark)) > rank(old):
            chosen[suffix] = (base, date, mark)
    return chosen, skipped


def as_cell(date):
    """A date that names a day is a date cell; anything else stays text."""
    try:
        return datetime.datetime.strptime(date, "%Y/%m/%d")
    except ValueError:
        return date or None


def confirmed(entry):
    return entry is not None and entry[0] != "" and entry[2] != NOT_YET


class Workbooks(unittest.TestCase):
    lines = []
    # The applicant's call, name and address as SFXTAL.INI holds them, None for a key left out.
    applicant = (None, None, None)

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="sfxtal-workbooks-")
        path = cls.folder.name
        text = "".join(line + "\r\n" for line, _ in cls.lines)
        with open(os.path.join(path, "sfxtal.tmp"), "wb") as work:
            work.write(text.encode("cp932"))
        with open(os.path.join(path, "SFXTAL.INI"), "wb") as settings:
            keys = ("コールサイン", "氏名", "住所")
            settings.write("".join(["[SFXTAL]\r\n", "[申請者]\r\n"] + [
                "%s=%s\r\n" % (key, value) for key, value in zip(keys, cls.applicant)
                if value is not None]).encode("cp932"))
        cls.made_on = datetime.date.today()
        folder = "Z:" + path.replace("/", "\\") if EMULATOR else path
        run = subprocess.run(EMULATOR + [DRIVER, folder], capture_output=True, timeout=120)
        if run.returncode != 0:
            raise AssertionError("make_workbooks failed: " + run.stderr.decode("utf-8", "replace"))
        cls.chosen, cls.skipped = expected_tally(cls.lines)
        cls.results = openpyxl.load_workbook(os.path.join(path, "sfxtal.xlsx"))
        cls.application = openpyxl.load_workbook(os.path.join(path, "NEBU申請書.xlsx"))
        with open(os.path.join(path, "実績.txt"), "rb") as results:
            cls.results_text = results.read().decode("cp932")

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_results_file_holds_the_chosen_qso_of_every_suffix(self):
        lines = self.results_text.split("\r\n")
        self.assertEqual(lines[-1], "")
        self.assertEqual(len(lines) - 1, TOTAL)
        for suffix, line in zip(SUFFIXES, lines):
            entry = self.chosen.get(suffix, ("", "", ""))
            fields = [suffix] + [field.replace('"', "'") for field in entry]
            self.assertEqual(line, quoted(fields))

    def test_rows_sheet_has_the_heading_and_every_suffix(self):
        self.assertEqual(self.results.sheetnames, ["実績", "集計"])
        sheet = self.results["実績"]
        self.assertEqual(sheet.max_row, TOTAL + 1)
        rows = sheet.iter_rows(values_only=True)
        self.assertEqual(next(rows), ("サフィックス", "コールサイン", "交信日", "マーク"))
        for suffix, row in zip(SUFFIXES, rows):
            entry = self.chosen.get(suffix)
            want = (suffix, entry[0] or None, as_cell(entry[1]), entry[2] or None) if entry else (
                suffix, None, None, None)
            self.assertEqual(row, want)

    def test_rows_sheet_is_filtered_below_its_frozen_heading_with_dates_shown_as_dates(self):
        sheet = self.results["実績"]
        self.assertEqual(sheet.freeze_panes, "A2")
        self.assertEqual([round(sheet.column_dimensions[c].width) for c in "ABCD"], [13, 17, 13, 9])
        self.assertEqual(sheet.auto_filter.ref, "A1:D%d" % (TOTAL + 1))
        dates = [cell for cell in sheet["C"][1:] if isinstance(cell.value, datetime.datetime)]
        self.assertEqual(len(dates), sum(1 for entry in self.chosen.values()
                                         if isinstance(as_cell(entry[1]), datetime.datetime)))
        for cell in dates:
            self.assertEqual(cell.number_format, "yyyy/mm/dd")

    def test_red_font_exactly_on_unconfirmed_base_call_and_date(self):
        sheet = self.results["実績"]
        red_rows = set()
        for row in sheet.iter_rows(min_row=2):
            for cell in row:
                color = cell.font.color
                if color is not None and color.rgb == RED:
                    self.assertIn(cell.column_letter, ("B", "C"), cell.coordinate)
                    red_rows.add((cell.row, cell.column_letter))
        want = set()
        for number, suffix in enumerate(SUFFIXES, start=2):
            entry = self.chosen.get(suffix)
            if entry is not None and entry[2] == NOT_YET:
                want.add((number, "B"))
                want.add((number, "C"))
        if self.lines:
            self.assertTrue(want)
        self.assertEqual(red_rows, want)

    def test_totals_sheet_against_an_independent_count(self):
        sheet = self.results["集計"]
        rows = list(sheet.iter_rows(values_only=True))
        self.assertEqual(rows[0], ("項目", "値"))
        values = dict(rows[1:])
        groups = [("全体", SUFFIXES), ("1 文字", SUFFIXES[:26]), ("2 文字", SUFFIXES[26:702]),
                  ("3 文字", SUFFIXES[702:])]
        for name, suffixes in groups:
            worked = sum(1 for suffix in suffixes if suffix in self.chosen)
            sure = sum(1 for suffix in suffixes if confirmed(self.chosen.get(suffix)))
            self.assertEqual(values["サフィックス数 (%s)" % name], len(suffixes))
            self.assertEqual(values["交信済み (%s)" % name], worked)
            self.assertEqual(values["コンファーム済み (%s)" % name], sure)
            self.assertAlmostEqual(values["コンファーム率 (%s)" % name], sure / len(suffixes))
        self.assertEqual(values["読み飛ばした行"], self.skipped)
        self.assertEqual(len(values), 17)
        self.assertEqual(sheet["B5"].number_format, "0.00%")

    def test_application_lists_exactly_the_confirmed_suffixes_in_order(self):
        self.assertEqual(self.application.sheetnames, ["申請書"])
        sheet = self.application["申請書"]
        self.assertEqual(sheet["A1"].value, "NEBU クラブアワード 申請書")
        want = [(suffix,) + tuple(field.replace('"', "'") for field in self.chosen[suffix])
                for suffix in SUFFIXES if confirmed(self.chosen.get(suffix))]
        self.assertEqual(sheet["D8"].value, len(want))
        self.assertAlmostEqual(sheet["D9"].value, len(want) / TOTAL)
        self.assertEqual(sheet["D9"].number_format, "0.00%")
        rows = list(sheet.iter_rows(min_row=11, values_only=True))
        self.assertEqual(rows[0], ("No.", "サフィックス", "コールサイン", "交信日", "マーク"))
        self.assertEqual(rows[1:], [(number,) + entry for number, entry in enumerate(want, 1)])

    def test_application_prints_on_a4_with_the_heading_on_every_page(self):
        sheet = self.application["申請書"]
        self.assertEqual(str(sheet.page_setup.paperSize), "9")
        self.assertEqual(sheet.page_setup.orientation, "portrait")
        self.assertIn(sheet.print_title_rows, ("11:11", "$11:$11"))
        # The title, the figures and the table, and no column beyond: nothing widens the page.
        self.assertRegex(str(sheet.print_area), r"\$A\$1:\$E\$%d\b" % sheet.max_row)
        self.assertGreaterEqual(sheet.row_dimensions[1].height, 21)
        for column in "ABCDE":
            self.assertGreater(sheet.column_dimensions[column].width, 5, column)

    def test_application_prints_every_character_and_the_figures_whole(self):
        sheet = self.application["申請書"]
        # Each column takes its longest text on one line (a full-width character counts twice),
        # and no table row has a height that could cut a longer one.
        for column in "BCDE":
            longest = max((sum(2 if ord(c) > 0x2E80 else 1 for c in str(cell.value))
                           for cell in sheet[column][11:] if cell.value is not None), default=0)
            self.assertGreaterEqual(sheet.column_dimensions[column].width, longest, column)
        for row in range(12, sheet.max_row + 1):
            self.assertIsNone(sheet.row_dimensions[row].height, row)
        merged = {str(cells) for cells in sheet.merged_cells.ranges}
        self.assertLessEqual({"D8:E8", "D9:E9"}, merged)

    def test_application_names_the_applicant_and_the_day_on_underlined_lines(self):
        sheet = self.application["申請書"]
        labels = ("コールサイン", "氏名", "住所", "申請日")
        merged = {str(cells) for cells in sheet.merged_cells.ranges}
        for row, label, value in zip(range(3, 7), labels, self.applicant + (None,)):
            self.assertEqual(sheet["A%d" % row].value, label)
            self.assertLessEqual({"A%d:B%d" % (row, row), "C%d:E%d" % (row, row)}, merged)
            # The line to write on is underlined whether it holds a value or is left blank.
            self.assertEqual(sheet["C%d" % row].border.bottom.style, "thin", label)
            if row < 6:
                self.assertEqual(sheet["C%d" % row].value, value, label)
        day = sheet["C6"]
        # Made today, or yesterday when the test ran over midnight.
        self.assertIn(day.value.date(),
                      (self.made_on, self.made_on - datetime.timedelta(days=1)))
        self.assertEqual(day.number_format, 'yyyy"年"m"月"d"日"')


class SampleWorkbooks(Workbooks):
    lines = random_work_lines(random.Random(20240601), 4000) + SPECIAL_LINES
    applicant = ("JA1ABC", "山田 太郎", "東京都千代田区千代田1-1")


class EmptyWorkFile(Workbooks):
    lines = []
    # No name: its line is left blank. The table's narrow columns leave the address too little
    # room, and it wraps onto a row grown to hold it.
    applicant = ("JA1ABC", None, "東京都千代田区千代田一丁目一番一号 ＮＥＢＵマンション 101 号室")

    def test_a_long_address_wraps_on_a_taller_line(self):
        sheet = self.application["申請書"]
        self.assertTrue(sheet["C5"].alignment.wrap_text)
        self.assertGreater(sheet.row_dimensions[5].height, sheet.row_dimensions[4].height)

    def test_nothing_is_worked(self):
        self.assertEqual(self.chosen, {})
        self.assertEqual(self.application["申請書"]["D8"].value, 0)


def load_tests(loader, tests, pattern):
    suite = unittest.TestSuite()
    for case in (SampleWorkbooks, EmptyWorkFile):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite


if __name__ == "__main__":
    DRIVER, EMULATOR = sys.argv[1], sys.argv[2:]
    del sys.argv[1:]
    unittest.main(verbosity=2)
