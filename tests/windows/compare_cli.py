#!/usr/bin/python3
"""sfxtal-cli of the Linux build and sfxtal-cli.exe of the Windows build, run under Wine, do the
same jobs in program folders of the same name (Japanese, with blanks) and must leave the same
files, byte for byte, and say the same things. Workbooks are compared part by part, apart from
the time they were made. Bad input (a read-only program folder, a full disk) must end the same
way on both, with the old files whole.

Usage: compare_cli.py LINUX_CLI WINDOWS_CLI WINE_RUN WINE_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

LINUX_CLI = WINDOWS_CLI = WINE_RUN = WINE_DIR = None
FOLDER_NAME = "記録 フォルダ"
LOG_NAME = "Tevrak ログ.TDB"
# The suffix dialog's answers and the yes/no answers, in the order the prompts come; the same
# for both builds. A blank line skips, letters are typed into the dialog, "n" answers No.
ANSWERS = "".join(answer + "\n" for answer in ["ABC", "", "xy", "QQ", "n", "", "Z", "123", "n"] * 40)


class Build:
    """One build's sfxtal-cli, and how it sees this machine's folders."""

    def __init__(self, name, command, to_program):
        self.name = name
        self.command = command
        self.to_program = to_program

    def run(self, args, stdin=""):
        done = subprocess.run(self.command + args, input=stdin.encode("utf-8"),
                              capture_output=True, timeout=300)
        return done.returncode, done.stdout, done.stderr


def linux_build():
    return Build("linux", [LINUX_CLI], lambda path: path)


def windows_build():
    # Wine shows the machine's / as drive Z:.
    return Build("windows", [WINE_RUN, WINE_DIR, WINDOWS_CLI],
                 lambda path: "Z:" + path.replace("/", "\\"))


def workbook_parts(path):
    """Every part of an .xlsx, with the creation time (docProps/core.xml) taken out."""
    parts = {}
    with zipfile.ZipFile(path) as book:
        for name in book.namelist():
            data = book.read(name)
            if name == "docProps/core.xml":
                for tag in (b"dcterms:created", b"dcterms:modified"):
                    start = data.find(b"<" + tag)
                    end = data.find(b"</" + tag + b">")
                    if start >= 0 and end > start:
                        data = data[:start] + data[end:]
            parts[name] = data
    return parts


def file_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def folder_files(folder, workbooks_by_part=True):
    files = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        by_part = workbooks_by_part and name.endswith(".xlsx")
        files[name] = workbook_parts(path) if by_part else file_bytes(path)
    return files


class SameBytes(unittest.TestCase):
    """The whole road through the command line, once on each build."""

    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.TemporaryDirectory(prefix="sfxtal-compare-")
        cls.outcomes = {}
        cls.files = {}
        for build in (linux_build(), windows_build()):
            folder = os.path.join(cls.temp.name, build.name, FOLDER_NAME)
            os.makedirs(folder)
            here = build.to_program(folder)
            log = build.to_program(os.path.join(folder, LOG_NAME))
            steps = [
                (["sample-log", log, "3000", "7"], ""),
                (["import", "--folder", here, "--from", "1998-1-1", "--to", "2030-12-31",
                  "--marks", "J未", "--ask", log], ANSWERS),
                (["results", "--folder", here, "--list"], ""),
                (["apply", "--folder", here], ""),
                (["dump", log], ""),
            ]
            outcomes = []
            for args, stdin in steps:
                status, out, err = build.run(args, stdin)
                # Only a full path differs between the two: the folder as each build sees it.
                out = out.replace(here.encode("utf-8"), b"FOLDER").replace(b"\\", b"/")
                outcomes.append((args[0], status, out, err))
            cls.outcomes[build.name] = outcomes
            cls.files[build.name] = folder_files(folder)

    @classmethod
    def tearDownClass(cls):
        cls.temp.cleanup()

    def test_every_step_ends_alike_and_says_the_same(self):
        linux, windows = self.outcomes["linux"], self.outcomes["windows"]
        for (step, status, out, err), other in zip(linux, windows):
            self.assertEqual(status, 0, step + ": " + err.decode("utf-8", "replace"))
            self.assertEqual((step, status, out, err), other, step)
        # The import asked its questions, and the answers were taken.
        self.assertIn("サフィックスの設定".encode("utf-8"), linux[1][3])

    def test_every_file_has_the_same_bytes(self):
        linux, windows = self.files["linux"], self.files["windows"]
        self.assertEqual(sorted(linux), sorted(windows))
        self.assertIn("履歴.txt", linux)
        self.assertIn("NEBU申請書.xlsx", linux)
        for name in linux:
            if name.endswith(".xlsx"):
                self.assertEqual(sorted(linux[name]), sorted(windows[name]), name)
                for part in linux[name]:
                    self.assertEqual(linux[name][part], windows[name][part], name + ": " + part)
            else:
                self.assertEqual(linux[name], windows[name], name)


class BadInput(unittest.TestCase):
    """A program folder that cannot be written, and a full disk, made from this side (Wine has no
    way to make either from inside); both builds must stop the job with the same message and
    status and leave the old files whole."""

    def setUp(self):
        self.temp = tempfile.TemporaryDirectory(prefix="sfxtal-bad-input-")
        self.mounts = []

    def tearDown(self):
        for mount in reversed(self.mounts):
            subprocess.run(["umount", "-l", mount], check=False, capture_output=True)
        self.temp.cleanup()

    def mount(self, *args):
        if os.geteuid() != 0:
            self.skipTest("only root can mount the folders this needs")
        subprocess.run(["mount"] + list(args), check=True)
        if args[-1] not in self.mounts:
            self.mounts.append(args[-1])

    def folder_for(self, build):
        folder = os.path.join(self.temp.name, build.name, FOLDER_NAME)
        os.makedirs(folder)
        return folder

    def check_alike(self, runs):
        (linux_status, linux_err), (windows_status, windows_err) = runs
        self.assertEqual(linux_status, 1)
        self.assertEqual(windows_status, linux_status)
        self.assertEqual(windows_err, linux_err)
        self.assertIn("ファイルに書き込めません\nFOLDER/".encode("utf-8"), linux_err)

    def test_read_only_program_folder(self):
        runs = []
        for build in (linux_build(), windows_build()):
            folder = self.folder_for(build)
            # A whole results file (18,278 records, A confirmed), which the application takes.
            letters = [chr(c) for c in range(ord("A"), ord("Z") + 1)]
            suffixes = letters + [a + b for a in letters for b in letters] + [
                a + b + c for a in letters for b in letters for c in letters]
            old = b"".join(('"%s","%s","%s","%s"\r\n' % (
                (s, "QQ1A", "1998/03/21", "J") if s == "A" else (s, "", "", ""))).encode()
                           for s in suffixes)
            with open(os.path.join(folder, "実績.txt"), "wb") as results:
                results.write(old)
            with open(os.path.join(folder, "NEBU申請書.xlsx"), "wb") as book:
                book.write(b"old book")
            self.mount("--bind", folder, folder)
            self.mount("-o", "remount,bind,ro", folder)
            here = build.to_program(folder)
            status, _, err = build.run(["apply", "--folder", here])
            runs.append((status, err.replace(here.encode("utf-8"), b"FOLDER").replace(b"\\", b"/")))
            self.assertEqual(folder_files(folder, workbooks_by_part=False),
                             {"実績.txt": old, "NEBU申請書.xlsx": b"old book"})
        self.check_alike(runs)

    def test_full_disk(self):
        runs = []
        for build in (linux_build(), windows_build()):
            folder = self.folder_for(build)
            log = os.path.join(self.temp.name, build.name, LOG_NAME)
            status, _, err = build.run(["sample-log", build.to_program(log), "20000", "3"])
            self.assertEqual(status, 0, err)
            self.mount("-t", "tmpfs", "-o", "size=256k", "sfxtal-test", folder)
            old = b'"QQ9OLD","OLD","1997/01/01","N"\r\n'
            with open(os.path.join(folder, "sfxtal.tmp"), "wb") as work:
                work.write(old)
            here = build.to_program(folder)
            status, _, err = build.run(["import", "--folder", here, build.to_program(log)])
            runs.append((status, err.replace(here.encode("utf-8"), b"FOLDER").replace(b"\\", b"/")))
            # The run rebuilds the work file from the log, so the old one is gone either way; nothing
            # else is left behind.
            files = folder_files(folder)
            self.assertEqual(list(files), ["sfxtal.tmp"])
            self.assertNotEqual(files["sfxtal.tmp"], old)
        self.check_alike(runs)


if __name__ == "__main__":
    LINUX_CLI, WINDOWS_CLI, WINE_RUN, WINE_DIR = sys.argv[1:5]
    del sys.argv[1:]
    unittest.main(verbosity=2)
