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
import zipfile

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


def confirmed(entry):
    return entry is not None and entry[0] != "" and entry[2] != NOT_YET


def day(date):
    """A date "CCYY/MM/DD" that names a day (from 1900 on), or None."""
    if len(date) != 10 or not date.replace("/", "").isdigit() or date[4] + date[7] != "//":
        return None
    try:
        value = datetime.datetime.strptime(date, "%Y/%m/%d")
    except ValueError:
        return None
    return value if value.year >= 1900 else None


def as_cell(date):
    """A date that names a day is a date cell; anything else stays text."""
    return day(date) or date or None


def read_results(text):
    """Suffix, base call, date, mark of each record of a results file as the tally writes it."""
    return [line[1:-1].split('","') for line in text.split("\r\n")[:-1]]


def standing(record):
    """0 not worked, 1 worked and 未, 2 confirmed, as the results window counts."""
    return 0 if record[1] == "" else (1 if record[3] == NOT_YET else 2)


def results_file(records):
    """A whole results file: every suffix, those in `records` with their fields."""
    lines = [quoted([suffix] + list(records.get(suffix, ("", "", "")))) for suffix in SUFFIXES]
    return "".join(line + "\r\n" for line in lines).encode("cp932")


class Workbooks(unittest.TestCase):
    lines = []
    # The 実績.txt the tally replaces (bytes), or None.
    earlier = None
    # The applicant's call, name and address as SFXTAL.INI holds them, None for a key left out.
    applicant = (None, None, None)

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory(prefix="sfxtal-workbooks-")
        path = cls.folder.name
        text = "".join(line + "\r\n" for line, _ in cls.lines)
        with open(os.path.join(path, "sfxtal.tmp"), "wb") as work:
            work.write(text.encode("cp932"))
        if cls.earlier is not None:
            with open(os.path.join(path, "実績.txt"), "wb") as earlier:
                earlier.write(cls.earlier)
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
        with zipfile.ZipFile(os.path.join(path, "sfxtal.xlsx")) as book:
            cls.charts = [book.read(name).decode("utf-8") for name in book.namelist()
                          if name.startswith("xl/charts/chart")]

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
        self.assertEqual(self.results.sheetnames, ["実績", "集計", "QSL待ち", "推移", "新規"])
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

    def test_sheets_after_the_totals_against_the_results_file(self):
        records = read_results(self.results_text)
        order = {suffix: number for number, suffix in enumerate(SUFFIXES)}
        for name in ("QSL待ち", "推移", "新規"):
            self.assertEqual(self.results[name].freeze_panes, "A2", name)
            self.assertEqual(str(self.results[name].page_setup.paperSize), "9", name)

        # Worked and not confirmed, by date (dates that are no day last), ties by suffix.
        waiting = sorted((r for r in records if standing(r) == 1),
                         key=lambda r: (day(r[2]) is None, day(r[2]) or 0, order[r[0]]))
        sheet = self.results["QSL待ち"]
        self.assertEqual(list(sheet.iter_rows(values_only=True)),
                         [("サフィックス", "コールサイン", "交信日")] +
                         [(r[0], r[1], day(r[2]) or r[2]) for r in waiting])
        self.assertEqual(sheet.auto_filter.ref, "A1:C%d" % (len(waiting) + 1))

        # Running counts per year, every year from the first to the last day in the results.
        dated = [(day(r[2]).year, standing(r)) for r in records if standing(r) and day(r[2])]
        rows = list(self.results["推移"].iter_rows(values_only=True))
        self.assertEqual(rows[0], ("年", "交信済み", "確認済み", "全サフィックス"))
        self.assertIn("日付として読めない", self.results["推移"]["A1"].comment.text)
        if dated:
            years = range(min(y for y, _ in dated), max(y for y, _ in dated) + 1)
            self.assertEqual(rows[1:], [(year, sum(1 for y, _ in dated if y <= year),
                                         sum(1 for y, s in dated if y <= year and s == 2), TOTAL)
                                        for year in years])
            self.assertEqual(len(self.charts), 1)
            for column in "BCD":
                self.assertIn("$%s$2:$%s$%d" % (column, column, len(years) + 1), self.charts[0])
        else:
            self.assertEqual(rows[1], ("日付として読める交信日がないため、年ごとの推移はありません。",
                                       None, None, None))
            self.assertEqual(self.charts, [])

        # What changed against the earlier results, each suffix once, in suffix order.
        rows = list(self.results["新規"].iter_rows(values_only=True))
        self.assertEqual(rows[0], ("サフィックス", "コールサイン", "交信日", "区分"))
        try:
            before = read_results(self.earlier.decode("cp932")) if self.earlier else None
        except UnicodeDecodeError:
            before = None
        if before is None or len(before) != TOTAL:
            self.assertEqual(rows[1:], [("前回の 実績.txt が%sため、新規の確認・交信は比べていません。"
                                         % ("なかった" if self.earlier is None
                                            else "実績ファイルとして読めなかった"),
                                         None, None, None)])
            return
        changes = []
        for old, new in zip(before, records):
            kind = {(0, 2): "新規確認", (1, 2): "新規確認", (0, 1): "新規交信"}.get(
                (standing(old), standing(new)))
            if kind:
                changes.append((new[0], new[1], day(new[2]) or new[2], kind))
        self.assertEqual(rows[1:], changes)
        self.assertEqual(self.results["新規"].auto_filter.ref, "A1:D%d" % (len(changes) + 1))

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


class ChangedSinceEarlierResults(Workbooks):
    """A small work file over a 実績.txt of an earlier import."""
    earlier = results_file({
        "AB": ("QQ1AB", "2003/05/01", NOT_YET), "B": ("QQ1B", "2001/03/05", NOT_YET),
        "D": ("QQ1D", "2001/03/04", "J"), "E": ("QQ1E", "2001/03/04", NOT_YET),
        "F": ("QQ1F", "2004/02/30", NOT_YET), "ZZ": ("QQ1ZZ", "1999/01/01", "J"),
        "Q": ("QQ1Q", "1999/01/01", "J")})
    lines = [(quoted(fields), fields) for fields in (
        ["QQ1ZZ", "ZZ", "2001/03/04", NOT_YET], ["QQ1A", "A", "2006/01/01", NOT_YET],
        ["QQ1AB", "AB", "2003/05/01", NOT_YET], ["QQ1AB", "AB", "2005/06/01", "J"],
        ["QQ1B", "B", "2001/03/05", NOT_YET], ["QQ1E", "E", "2001/03/04", NOT_YET],
        ["QQ1D", "D", "2001/03/04", "J"], ["QQ1C", "C", "2001/03/04", NOT_YET],
        ["QQ1F", "F", "2004/02/30", NOT_YET], ["QQ1XYZ", "XYZ", "2006/07/07", "N"])]

    def test_the_cases_this_file_is_made_of(self):
        column = lambda name, letter: [c.value for c in self.results[name][letter][1:]]
        # Same day ordered by suffix; a date that is no day last.
        self.assertEqual(column("QSL待ち", "A"), ["C", "E", "ZZ", "B", "A", "F"])
        # 2002 to 2004 without a day of their own keep the count of 2001.
        self.assertEqual(column("推移", "A"), list(range(2001, 2007)))
        self.assertEqual(column("推移", "B"), [5, 5, 5, 5, 6, 8])
        self.assertEqual(column("推移", "C"), [1, 1, 1, 1, 2, 3])
        # Newly worked, newly confirmed from 未 and from nothing; B, D, E the same, ZZ and Q lower.
        self.assertEqual(list(zip(column("新規", "A"), column("新規", "D"))),
                         [("A", "新規交信"), ("C", "新規交信"), ("AB", "新規確認"),
                          ("XYZ", "新規確認")])


class UnsoundEarlierResults(Workbooks):
    earlier = b"old results\r\n"
    # Dates that name no day only.
    lines = [(quoted(fields), fields) for fields in (
        ["QQ1A", "A", "1899/12/31", "J"], ["QQ1B", "B", "2001/13/01", NOT_YET])]


def load_tests(loader, tests, pattern):
    suite = unittest.TestSuite()
    for case in (SampleWorkbooks, EmptyWorkFile, ChangedSinceEarlierResults,
                 UnsoundEarlierResults):
        suite.addTests(loader.loadTestsFromTestCase(case))
    return suite


if __name__ == "__main__":
    DRIVER, EMULATOR = sys.argv[1], sys.argv[2:]
    del sys.argv[1:]
    unittest.main(verbosity=2)
