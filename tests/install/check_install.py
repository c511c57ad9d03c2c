#!/usr/bin/env python3
"""The installed game as a desktop and a packager see it.

InstalledTree installs the build into a temporary prefix (`cmake --install BUILD --prefix
TMP`) and checks that every file lands in its place and nothing else does, that
desktop-file-validate and appstreamcli accept the desktop entry and the metainfo, that each
icon has the size its folder names and shows the picture, and that the generated
InstallPaths.h leads from the installed programs to their data.

AppIconGenerator checks that the data generator draws the same icons on every run and refuses
what it cannot draw.

DebianPackage makes the Debian package of the same build with CPack into a temporary folder
and checks its control fields, its dependencies against the libraries the programs load, its
contents and their owners and modes, the programs' hardening, and that lintian reports no
error and no hardening tag.

usage: check_install.py --build BUILD_DIR --cmake CMAKE --cpack CPACK [unittest arguments]
"""
import argparse
import gzip
import os
import re
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET
import zlib

APP_ID = "io.github.quandrels.Quandrels"
PROGRAMS = ["quandrels", "quandrels-fixed"]
ICON_SIZES = [16, 32, 48, 64, 128, 256]
PACKAGE = "quandrels"
# Libraries the programs open at run time, which no linker records: SDL's OpenGL.
OPENED_LIBRARIES = ["libGL.so.1"]

# Every file of an install, relative to the prefix, but for the programs in bin/.
SHARED_FILES = sorted(
    [
        "share/quandrels/Quandrels.dat",
        f"share/applications/{APP_ID}.desktop",
        f"share/metainfo/{APP_ID}.metainfo.xml",
        "share/man/man6/quandrels.6.gz",
        "share/man/man6/quandrels-fixed.6.gz",
        f"share/doc/{PACKAGE}/copyright",
        f"share/doc/{PACKAGE}/changelog.gz",
    ]
    + [f"share/icons/hicolor/{n}x{n}/apps/{APP_ID}.png" for n in ICON_SIZES]
)

ARGS = None  # set in main()
SOURCE_DIR = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def run(argv, **kwargs):
    return subprocess.run(argv, capture_output=True, text=True, **kwargs)


def files_under(root):
    """Relative paths of the files and symbolic links under root."""
    found = []
    for folder, _, names in os.walk(root):
        for name in names:
            found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def owners(path):
    """The packages that installed path, by dpkg's records (names without architecture)."""
    result = run(["dpkg", "-S", path])
    if result.returncode != 0:
        return set()
    holders = result.stdout.splitlines()[0].rsplit(": ", 1)[0]
    return {holder.strip().split(":")[0] for holder in holders.split(",")}


def copyright_paragraphs(text):
    """The paragraphs of a machine-readable Debian copyright file, each a dict of its fields;
    a field's continuation lines are joined with newlines, "." lines becoming empty ones."""
    paragraphs = []
    for block in re.split(r"\n\s*\n", text.strip()):
        fields, name = {}, None
        for line in block.splitlines():
            if line[:1] in (" ", "\t") and name:
                fields[name] += "\n" + ("" if line.strip() == "." else line.strip())
            elif ":" in line:
                name, value = line.split(":", 1)
                fields[name] = value.strip()
        paragraphs.append(fields)
    return paragraphs


def words(text):
    return " ".join(text.split())


def read(path, mode="rb"):
    with open(path, mode) as f:
        return f.read()


class Png:
    """An 8-bit, non-interlaced PNG, decoded far enough to look at its pixels."""

    def __init__(self, data):
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            raise ValueError("not a PNG file")
        pos, idat = 8, b""
        while pos < len(data):
            length, kind = struct.unpack(">I4s", data[pos : pos + 8])
            body = data[pos + 8 : pos + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, depth, self.colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
                if depth != 8 or interlace != 0:
                    raise ValueError("only 8-bit, non-interlaced pictures are read here")
            elif kind == b"IDAT":
                idat += body
            pos += 12 + length
        self.channels = {0: 1, 2: 3, 4: 2, 6: 4}[self.colour_type]
        self.rows = self._unfilter(zlib.decompress(idat))

    def _unfilter(self, raw):
        bpp, stride = self.channels, self.width * self.channels
        rows, previous = [], bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            kind, row = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
            for i in range(stride):
                a = row[i - bpp] if i >= bpp else 0
                b = previous[i]
                c = previous[i - bpp] if i >= bpp else 0
                if kind == 1:
                    row[i] = (row[i] + a) & 255
                elif kind == 2:
                    row[i] = (row[i] + b) & 255
                elif kind == 3:
                    row[i] = (row[i] + (a + b) // 2) & 255
                elif kind == 4:
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            rows.append(row)
            previous = row
        return rows

    def pixel(self, x, y):
        i = x * self.channels
        return tuple(self.rows[y][i : i + self.channels])


class InstalledTree(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="quandrels-install-")
        cls.prefix = os.path.join(cls.tmp, "prefix")
        result = run([ARGS.cmake, "--install", ARGS.build, "--prefix", cls.prefix])
        if result.returncode != 0:
            shutil.rmtree(cls.tmp)
            raise AssertionError("cmake --install failed:\n" + result.stdout + result.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def path(self, relative):
        return os.path.join(self.prefix, relative)

    def desktop_entry(self):
        """The desktop entry's groups, each a dict of its keys."""
        groups, current = {}, None
        for line in read(self.path(f"share/applications/{APP_ID}.desktop"), "r").splitlines():
            if line.startswith("[") and line.endswith("]"):
                current = groups.setdefault(line[1:-1], {})
            elif "=" in line and current is not None:
                key, value = line.split("=", 1)
                current[key] = value
        return groups

    def metainfo(self):
        return ET.parse(self.path(f"share/metainfo/{APP_ID}.metainfo.xml")).getroot()

    def test_installs_every_file_in_its_place_and_nothing_else(self):
        self.assertEqual(files_under(self.prefix), sorted(["bin/" + p for p in PROGRAMS] + SHARED_FILES))

    def test_programs_are_executable(self):
        for program in PROGRAMS:
            with self.subTest(program=program):
                path = self.path("bin/" + program)
                self.assertEqual(read(path)[:4], b"\x7fELF")
                self.assertTrue(os.stat(path).st_mode & stat.S_IXOTH, "not executable by everyone")

    def test_data_pack_is_the_built_one(self):
        built = read(os.path.join(ARGS.build, "Quandrels.dat"))
        self.assertGreater(len(built), 0)
        self.assertEqual(read(self.path("share/quandrels/Quandrels.dat")), built)

    def test_desktop_entry_passes_desktop_file_validate(self):
        result = run(["desktop-file-validate", self.path(f"share/applications/{APP_ID}.desktop")])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        # Hints are advice; warnings and errors are not accepted.
        problems = [line for line in (result.stdout + result.stderr).splitlines() if "hint:" not in line]
        self.assertEqual(problems, [])

    def test_desktop_entry_starts_an_installed_program_with_the_installed_icon(self):
        groups = self.desktop_entry()
        entry = groups["Desktop Entry"]
        self.assertEqual(entry["Icon"], APP_ID)
        self.assertIn("Game", entry["Categories"].split(";"))
        # SDL names the window's class after the program, which is how docks find the entry.
        self.assertEqual(entry["StartupWMClass"], entry["Exec"].split()[0])
        commands = [entry["Exec"], entry["TryExec"]]
        for action in entry.get("Actions", "").strip(";").split(";"):
            if action:
                commands.append(groups["Desktop Action " + action]["Exec"])
        self.assertEqual(sorted({c.split()[0] for c in commands}), sorted(PROGRAMS))
        for command in commands:
            self.assertTrue(os.path.exists(self.path("bin/" + command.split()[0])), command)

    def test_metainfo_passes_appstreamcli_validate(self):
        result = run(["appstreamcli", "validate", "--no-net", "--explain",
                      self.path(f"share/metainfo/{APP_ID}.metainfo.xml")])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        # The tree as a software centre reads it: the metainfo, its launchable and the icons.
        result = run(["appstreamcli", "validate-tree", "--no-net", "--explain", self.prefix])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_metainfo_describes_the_installed_game(self):
        root = self.metainfo()
        self.assertEqual(root.get("type"), "desktop-application")
        self.assertEqual(root.findtext("id"), APP_ID)
        launchable = root.find("launchable[@type='desktop-id']").text
        self.assertTrue(os.path.exists(self.path("share/applications/" + launchable)), launchable)
        self.assertEqual(sorted(b.text for b in root.findall("provides/binary")), sorted(PROGRAMS))
        self.assertGreaterEqual(len(root.findall("description/p")), 1)
        self.assertIsNotNone(root.find("content_rating[@type='oars-1.1']"))
        images = [image.text for image in root.findall("screenshots/screenshot/image")]
        self.assertGreaterEqual(len(images), 1)
        for image in images:
            self.assertRegex(image, r"^https://.*/docs/screenshots/[a-z-]+\.png$")
        self.assertEqual(len(root.findall("screenshots/screenshot[@type='default']")), 1)

    def test_licence_is_the_same_in_license_copyright_and_metainfo(self):
        paragraphs = copyright_paragraphs(read(self.path(f"share/doc/{PACKAGE}/copyright"), "r"))
        every_file = next(p for p in paragraphs if p.get("Files") == "*")
        licence_name = every_file["License"]
        licence_text = next(p for p in paragraphs if "Files" not in p and p.get("License", "").startswith(licence_name))
        self.assertEqual(self.metainfo().findtext("project_license"), licence_name)
        # LICENSE: the licence's name, the copyright line, then the very text of the copyright file.
        lines = read(os.path.join(SOURCE_DIR, "LICENSE"), "r").strip().splitlines()
        self.assertEqual(lines[0], f"{licence_name} License")
        self.assertEqual(lines[2], f"Copyright (c) {every_file['Copyright']}")
        self.assertEqual(words("\n".join(lines[3:])), words(licence_text["License"].split("\n", 1)[1]))
        self.assertEqual(every_file["Copyright"].split(None, 1)[1], "The Quandrels developers")

    def test_icons_have_the_size_of_their_folder_and_show_the_picture(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                png = Png(read(self.path(f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png")))
                self.assertEqual((png.width, png.height), (size, size))
                self.assertEqual(png.colour_type, 6, "RGBA expected")
                # Transparent outside the rounded tile, opaque within it.
                for corner in [(0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)]:
                    self.assertEqual(png.pixel(*corner)[3], 0, corner)
                self.assertEqual(png.pixel(size // 2, size // 4)[3], 255)
                # The lit stone glows orange in the middle of a dark sky.
                middle = [png.pixel(x, y) for y in range(size * 3 // 8, size * 5 // 8)
                          for x in range(size * 3 // 8, size * 5 // 8)]
                red = sum(p[0] for p in middle) / len(middle)
                blue = sum(p[2] for p in middle) / len(middle)
                self.assertGreater(red, 120)
                self.assertGreater(red, blue + 60)
                top = [png.pixel(x, size // 10) for x in range(size * 3 // 8, size * 5 // 8)]
                self.assertLess(sum(p[0] + p[1] + p[2] for p in top) / (3 * len(top)), red / 2,
                                "the sky above the stone should be darker than the stone")

    def test_install_paths_header_leads_from_the_programs_to_the_data(self):
        header = read(os.path.join(ARGS.build, "generated", "InstallPaths.h"), "r")
        defined = dict(re.findall(r'#define (\w+) "([^"]*)"', header))
        relative = defined["QUANDRELS_INSTALL_DATA_DIR_FROM_BIN"]
        self.assertFalse(os.path.isabs(relative))
        self.assertTrue(os.path.isfile(os.path.join(self.path("bin"), relative, "Quandrels.dat")))
        # The absolute folder is where an install into the configured prefix puts the pack.
        absolute = defined["QUANDRELS_INSTALL_DATA_DIR"]
        self.assertTrue(os.path.isabs(absolute))
        staged = os.path.join(self.tmp, "staged")
        result = run([ARGS.cmake, "--install", ARGS.build], env=dict(os.environ, DESTDIR=staged))
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertTrue(os.path.isfile(staged + absolute + "/Quandrels.dat"), absolute)

    def test_manual_page_formats_without_warnings(self):
        page = self.path("share/man/man6/quandrels.6.gz")
        result = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", page],
                     env=dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stderr, "")
        text = gzip.decompress(read(page)).decode()
        for program in PROGRAMS:
            self.assertIn(program, text.split(".SH SYNOPSIS")[1].split(".SH")[0])
        fixed = self.path("share/man/man6/quandrels-fixed.6.gz")
        self.assertTrue(os.path.islink(fixed))
        self.assertEqual(os.readlink(fixed), "quandrels.6.gz")

    def test_changelog_is_compressed_without_time_stamp_and_parses(self):
        data = read(self.path(f"share/doc/{PACKAGE}/changelog.gz"))
        flags, mtime = data[3], struct.unpack("<I", data[4:8])[0]
        self.assertEqual((flags & 0x08, mtime), (0, 0), "gzip -n: no file name, no time")
        plain = os.path.join(self.tmp, "changelog")
        with open(plain, "wb") as f:
            f.write(gzip.decompress(data))
        result = run(["dpkg-parsechangelog", "-l", plain, "-S", "Source"])
        self.assertEqual((result.returncode, result.stdout.strip()), (0, PACKAGE), result.stderr)
        copyright_text = read(self.path(f"share/doc/{PACKAGE}/copyright"), "r")
        self.assertTrue(copyright_text.startswith("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"))
        self.assertRegex(copyright_text, r"(?m)^License: \S+")


def start_from(program, folder, env_extra=None):
    """Starts `program` with `folder` as working directory; its log goes to a file there."""
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    env.update(env_extra or {})
    log = open(os.path.join(folder, "output.txt"), "w+")
    process = subprocess.Popen([program], cwd=folder, stdout=log, stderr=subprocess.STDOUT, env=env)
    return process, log


def wait_for_line(process, log, pattern, seconds=60):
    """Waits until the log holds `pattern` (a regular expression) or the program ends; the
    whole log so far."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        log.seek(0)
        text = log.read()
        if re.search(pattern, text) or process.poll() is not None:
            return text
        time.sleep(0.05)
    log.seek(0)
    return log.read()


def finish(process, log):
    """Asks the program to end as a desktop would (SIGTERM); its exit status and log."""
    if process.poll() is None:
        process.terminate()
    try:
        status = process.wait(timeout=60)
    except subprocess.TimeoutExpired:
        process.kill()
        status = process.wait()
    log.seek(0)
    text = log.read()
    log.close()
    return status, text


@unittest.skipUnless(os.environ.get("DISPLAY"), "needs an X display (make test runs under Xvfb)")
class FindsItsData(unittest.TestCase):
    """Started from a working directory without data (the home folder, the menu), the
    programs find their data beside themselves or in the install's data folder."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="quandrels-data-")
        cls.prefix = os.path.join(cls.tmp, "prefix")
        result = run([ARGS.cmake, "--install", ARGS.build, "--prefix", cls.prefix])
        if result.returncode != 0:
            shutil.rmtree(cls.tmp)
            raise AssertionError("cmake --install failed:\n" + result.stdout + result.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def elsewhere(self):
        return tempfile.mkdtemp(dir=self.tmp, prefix="home-")

    def check_found(self, program, data_folder):
        process, log = start_from(program, self.elsewhere())
        # The window's GL lines come after the data lookup; the first frames draw from the data.
        text = wait_for_line(process, log, r"GL Renderer")
        status, text = finish(process, log)
        self.assertEqual(status, 0, text)
        self.assertIn("Game data found in " + data_folder + "\n", text)
        self.assertIn("GL Renderer", text)
        for failure in ("Can't load", "Cannot open file", "No game data"):
            self.assertNotIn(failure, text)

    def test_installed_programs_find_the_installs_data_folder(self):
        for program in PROGRAMS:
            with self.subTest(program=program):
                self.check_found(os.path.join(self.prefix, "bin", program),
                                 os.path.join(self.prefix, "bin", "../share/quandrels"))

    def test_programs_in_the_build_folder_find_the_pack_beside_them(self):
        for program in PROGRAMS:
            with self.subTest(program=program):
                self.check_found(os.path.realpath(os.path.join(ARGS.build, program)),
                                 os.path.realpath(ARGS.build))

    def test_a_working_directory_with_data_still_wins(self):
        folder = self.elsewhere()
        os.mkdir(os.path.join(folder, "data"))  # an empty data folder: exit.png is missing
        process, log = start_from(os.path.join(self.prefix, "bin", PROGRAMS[0]), folder)
        wait_for_line(process, log, r"Can't load")
        status, text = finish(process, log)
        self.assertEqual(status, 0, text)
        self.assertNotIn("Game data found in", text)
        self.assertIn("Can't load data/", text)

    def test_without_data_anywhere_every_place_is_named_and_the_program_ends_cleanly(self):
        lone = os.path.join(self.tmp, "lone-bin")
        os.makedirs(lone, exist_ok=True)
        program = os.path.join(lone, PROGRAMS[0])
        shutil.copy(os.path.join(self.prefix, "bin", PROGRAMS[0]), program)
        folder = self.elsewhere()
        process, log = start_from(program, folder)
        try:
            status = process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            process.kill()
            status = None
        log.seek(0)
        text = log.read()
        log.close()
        self.assertEqual(status, 0, text)
        searched = ", ".join([os.path.realpath(folder), lone, os.path.join(lone, "../share/quandrels")])
        self.assertIn("No game data (Quandrels.dat or data/) in: " + searched, text)
        self.assertIn("Can't load data/", text)


class AppIconGenerator(unittest.TestCase):
    """quandrels-datagen --app-icon, which draws the menu icons for the install."""

    def setUp(self):
        self.generator = os.path.join(ARGS.build, "quandrels-datagen")
        self.tmp = tempfile.mkdtemp(prefix="quandrels-icons-")
        self.addCleanup(shutil.rmtree, self.tmp)

    def test_draws_the_same_bytes_as_the_build_on_every_run(self):
        sizes = [16, 64]
        arguments = []
        for size in sizes:
            arguments += ["--app-icon", str(size), os.path.join(self.tmp, f"{size}.png")]
        result = run([self.generator] + arguments)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(sorted(os.listdir(self.tmp)), sorted(f"{size}.png" for size in sizes))
        for size in sizes:
            self.assertEqual(read(os.path.join(self.tmp, f"{size}.png")),
                             read(os.path.join(ARGS.build, "icons", f"{size}.png")), size)

    def test_refuses_wrong_sizes_and_reports_unwritable_files(self):
        icon = os.path.join(self.tmp, "icon.png")
        cases = [
            (["--app-icon", "0", icon], 2),
            (["--app-icon", "-16", icon], 2),
            (["--app-icon", "16px", icon], 2),
            (["--app-icon", "100000", icon], 2),
            (["--app-icon", "16"], 2),
            (["--app-icon", "16", icon, "--sheet", os.path.join(self.tmp, "sheet.png")], 2),
            (["--app-icon", "16", os.path.join(self.tmp, "missing", "icon.png")], 1),
        ]
        for arguments, status in cases:
            with self.subTest(arguments=arguments):
                result = run([self.generator] + arguments)
                self.assertEqual(result.returncode, status, result.stderr)
                self.assertNotEqual(result.stderr, "")
                self.assertFalse(os.path.exists(icon))


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="quandrels-package-")
        result = run([ARGS.cpack, "--config", os.path.join(ARGS.build, "CPackConfig.cmake"), "-G", "DEB", "-B", cls.tmp])
        debs = [name for name in os.listdir(cls.tmp) if name.endswith(".deb")]
        if result.returncode != 0 or len(debs) != 1:
            shutil.rmtree(cls.tmp)
            raise AssertionError("cpack failed:\n" + result.stdout + result.stderr)
        cls.deb = os.path.join(cls.tmp, debs[0])
        cls.unpacked = os.path.join(cls.tmp, "unpacked")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.unpacked], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def field(self, name):
        return run(["dpkg-deb", "-f", self.deb, name]).stdout.strip()

    def test_control_fields(self):
        changelog = os.path.join(self.tmp, "changelog")
        with open(changelog, "wb") as f:
            f.write(gzip.decompress(read(os.path.join(self.unpacked, f"usr/share/doc/{PACKAGE}/changelog.gz"))))
        version = run(["dpkg-parsechangelog", "-l", changelog, "-S", "Version"]).stdout.strip()
        architecture = run(["dpkg", "--print-architecture"]).stdout.strip()
        self.assertEqual(self.field("Package"), PACKAGE)
        self.assertEqual(self.field("Version"), version)
        self.assertEqual(self.field("Architecture"), architecture)
        self.assertEqual(self.field("Section"), "games")
        self.assertRegex(self.field("Maintainer"), r"^[^<>]+ <[^@<>\s]+@[^@<>\s]+>$")
        description = self.field("Description").splitlines()
        self.assertGreater(len(description), 2, "a synopsis and an extended description")
        self.assertEqual(os.path.basename(self.deb), f"{PACKAGE}_{version}_{architecture}.deb")

    def test_depends_on_the_package_of_every_library_the_programs_load(self):
        depends = {d.strip().split()[0] for d in self.field("Depends").split(",")}
        cache = run([shutil.which("ldconfig") or "/sbin/ldconfig", "-p"]).stdout
        opened = [re.search(rf"{re.escape(name)} .*=> (\S+)", cache).group(1) for name in OPENED_LIBRARIES]
        for program in PROGRAMS:
            for library in self.loaded_libraries(os.path.join(self.unpacked, "usr/games", program)) + opened:
                with self.subTest(program=program, library=library):
                    packages = owners(library) or owners(os.path.realpath(library))
                    self.assertTrue(packages, f"no package holds {library}")
                    self.assertTrue(packages & depends, f"{library} comes from {packages}, not in Depends")

    def loaded_libraries(self, program):
        """Paths of the libraries that program names directly (DT_NEEDED)."""
        needed = re.findall(r"NEEDED\s+(\S+)", run(["objdump", "-p", program]).stdout)
        self.assertGreater(len(needed), 0)
        resolved = dict(re.findall(r"^\s*(\S+) => (\S+)", run(["ldd", program]).stdout, re.M))
        return [resolved[name] for name in needed]

    def test_contents_are_the_installed_tree_under_usr_with_games_owned_by_root(self):
        listing = run(["dpkg-deb", "-c", self.deb]).stdout.splitlines()
        files, problems = [], []
        for line in listing:
            mode, owner, _, _, _, path = line.split(None, 5)
            path = path.split(" -> ")[0]
            if owner != "root/root":
                problems.append(f"{path} owned by {owner}")
            if mode.startswith("d"):
                if mode != "drwxr-xr-x":
                    problems.append(f"{path} has mode {mode}")
            elif mode.startswith("l"):
                files.append(path)
            else:
                executable = path.startswith("./usr/games/")
                if mode != ("-rwxr-xr-x" if executable else "-rw-r--r--"):
                    problems.append(f"{path} has mode {mode}")
                files.append(path)
        self.assertEqual(problems, [])
        expected = ["games/" + p for p in PROGRAMS] + SHARED_FILES
        self.assertEqual(sorted(files), sorted("./usr/" + f for f in expected))

    def test_programs_are_stripped(self):
        for program in PROGRAMS:
            with self.subTest(program=program):
                sections = run(["readelf", "-S", "-W", os.path.join(self.unpacked, "usr/games", program)]).stdout
                self.assertIn(" .text ", sections)
                self.assertNotIn(" .debug_info ", sections)
                self.assertNotIn(" .symtab ", sections)

    def test_programs_are_hardened(self):
        """PIE, full RELRO with bind-now, the stack protector and checked buffer functions."""
        for program in PROGRAMS:
            with self.subTest(program=program):
                path = os.path.join(self.unpacked, "usr/games", program)
                self.assertRegex(run(["readelf", "-h", "-W", path]).stdout, r"Type:\s+DYN")
                self.assertIn("GNU_RELRO", run(["readelf", "-l", "-W", path]).stdout)
                self.assertRegex(run(["readelf", "-d", "-W", path]).stdout, r"BIND_NOW|Flags:.*\bNOW\b")
                symbols = run(["readelf", "--dyn-syms", "-W", path]).stdout
                self.assertIn("__stack_chk_fail", symbols)
                self.assertRegex(symbols, r"__\w+_chk\b")

    def test_lintian_reports_no_hardening_tag(self):
        # Some hardening tags are only informational: ask for those too.
        result = run(["lintian", "--display-info", "--tag-display-limit", "0", self.deb])
        self.assertNotIn("hardening-", result.stdout + result.stderr)

    def test_lintian_reports_no_error(self):
        result = run(["lintian", "--fail-on", "error", "--tag-display-limit", "0", self.deb])
        print("\nlintian:\n" + (result.stdout + result.stderr or "(nothing to report)\n"), file=sys.stderr)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertNotRegex(result.stdout, r"(?m)^E: ")


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--cmake", default="cmake")
    parser.add_argument("--cpack", default="cpack")
    ARGS, rest = parser.parse_known_args()
    ARGS.build = os.path.abspath(ARGS.build)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
