"""The downloads themselves: what each holds, what the Linux program needs at
run time, and its menu entry in a fresh home folder."""
import os
import re
import shutil
import subprocess
import tarfile
import tempfile
import unittest
import zipfile

import harness
from harness import wait_for

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


class PackageCase(unittest.TestCase):
    kind = None   # the download these cases check: "zip" or "tarball"

    def setUp(self):
        if self.kind not in harness.PLATFORM.kinds:
            self.skipTest(f"{self.kind} only")


# What each download's guide must name: the program's features and the keys that reach them.
FEATURES = ["Tile Map", "F3", "Esc", "Home", "arrow keys", "Space", "Dropping files", "how long", "not a Garmin map",
            "Select All", "Create File", "Erase GPS", "Test Connection", "F1 and F2", "Write Combined Map File", "Ctrl+M"]


def unnamed_features(readme):
    return [feature for feature in FEATURES if feature not in readme]


class Zip(PackageCase):
    kind = "zip"

    def test_holds_the_program_and_a_readme_for_notepad(self):
        with zipfile.ZipFile(harness.PLATFORM.package) as package:
            self.assertEqual(sorted(package.namelist()), ["README.txt", "mapwren-console.exe", "mapwren.exe"])
            readme = package.read("README.txt")
        self.assertEqual(readme.count(b"\n"), readme.count(b"\r\n"), "a line without CR LF")
        self.assertIn(b"sendmap20.exe", readme)
        self.assertIn(b"mapwren-console.exe", readme)
        self.assertNotRegex(readme, rb"@[A-Z0-9_]+@", "a mark left in the guide")
        self.assertEqual(unnamed_features(readme.decode("cp1252")), [])


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, check=True, **kwargs).stdout


class Tarball(PackageCase):
    kind = "tarball"

    def setUp(self):
        super().setUp()
        self.folder = tempfile.mkdtemp(prefix="mapwren-tarball-")
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)

    def unpack(self, name="downloads"):
        """The package unpacked into a fresh folder of that name: the program's folder."""
        os.mkdir(os.path.join(self.folder, name))
        return os.path.dirname(harness.unpack(harness.PLATFORM.package, os.path.join(self.folder, name)))

    def test_holds_one_folder_with_the_program_its_icon_entry_guide_and_menu_scripts(self):
        top = os.path.basename(harness.PLATFORM.package).split("-linux-")[0]
        icons = [f"icons/hicolor/{n}x{n}/apps/mapwren.png" for n in ICON_SIZES] + ["icons/hicolor/scalable/apps/mapwren.svg"]
        # The files a user runs carry their run bit, the others only read and write bits.
        files = {"mapwren": 0o755, "add-to-menu.sh": 0o755, "remove-from-menu.sh": 0o755, "README.txt": 0o644,
                 "mapwren.desktop": 0o644, "mapwren-list.xml": 0o644, **{icon: 0o644 for icon in icons}}
        with tarfile.open(harness.PLATFORM.package) as package:
            members = {m.name: m.mode for m in package.getmembers() if m.isfile()}
        self.assertEqual(members, {f"{top}/{name}": mode for name, mode in files.items()})

        folder = self.unpack()
        for size, icon in zip(ICON_SIZES, icons):
            self.assertEqual(png_size(os.path.join(folder, icon)), (size, size), icon)
        self.assertNotIn(".symtab", run("readelf", "-S", os.path.join(folder, "mapwren")), "mapwren is not stripped")
        with open(os.path.join(folder, "README.txt")) as f:
            readme = f.read()
        self.assertIn("sendmap20", readme)
        self.assertNotRegex(readme, r"@[A-Z0-9_]+@", "a mark left in the guide")
        self.assertEqual(unnamed_features(readme), [])
        run("desktop-file-validate", os.path.join(folder, "mapwren.desktop"))

    def test_program_needs_no_library_beyond_the_named_packages_and_the_base_system(self):
        folder = self.unpack()
        with open(os.path.join(folder, "README.txt")) as f:
            named = re.search(r"sudo apt install (.+)", f.read()).group(1).split()   # the first is Qt's
        packages = installed_with(named)
        self.assertLessEqual(set(named), set(packages), "a package named that this system does not have")
        allowed = {os.path.realpath(path) for path in run("dpkg", "-L", *packages).split("\n") if ".so" in path}
        needed = [line.strip() for line in run("ldd", os.path.join(folder, "mapwren")).split("\n")
                  if re.search(r"=> not found|/", line)]
        self.assertEqual([line for line in needed if os.path.realpath(re.search(r"(/\S+|not found)", line).group(1))
                          not in allowed], [])

    def test_menu_entry_starts_the_folders_program_opens_lists_and_goes_again(self):
        # Folder names as the entry's command line must carry them.
        for name in ["mapwren", "it's \"my\" `tools` $HOME \\ mine"]:
            with self.subTest(name):
                folder, home = self.unpack(name), os.path.join(self.folder, name + " home")
                program = os.path.join(folder, "mapwren")
                # A stand-in program that records how the menu started it.
                launched = os.path.join(self.folder, "launched.txt")
                with open(program, "w") as f:
                    f.write(f'#!/bin/sh\nprintf "%s\\n" "$0" "$@" > "{launched}"\n')
                entry = harness.add_to_menu(folder, home)
                run("desktop-file-validate", entry)
                data = os.path.join(home, ".local", "share")
                for size in ICON_SIZES:
                    self.assertTrue(os.path.exists(os.path.join(data, f"icons/hicolor/{size}x{size}/apps/mapwren.png")))
                gio = lambda *args: run("gio", *args, env={**os.environ, "HOME": home})
                a_list = os.path.join(self.folder, "My List.mwl")
                harness.write_list(a_list, "mapwren Auto", [])
                self.assertIn("application/x-mapwren-list", gio("info", "-a", "standard::content-type", a_list))
                self.assertIn("\tmapwren.desktop", gio("mime", "application/x-mapwren-list"))
                gio("launch", entry, a_list)
                wait_for(lambda: os.path.exists(launched), 5, "the program to be started")
                with open(launched) as f:
                    self.assertEqual(f.read().split("\n")[:-1], [program, a_list])
                os.remove(launched)

                harness.menu_script(folder, "remove-from-menu.sh", home)
                self.assertEqual(files_naming_mapwren(home), [])
                self.assertNotIn("mapwren.desktop", gio("mime", "application/x-mapwren-list"))

    def test_menu_entry_is_refused_for_a_folder_no_launcher_can_start_from(self):
        folder, home = self.unpack("100% mine"), os.path.join(self.folder, "home")
        added = harness.menu_script(folder, "add-to-menu.sh", home, check=False)
        self.assertNotEqual(added.returncode, 0)
        self.assertIn(folder, added.stderr)
        self.assertEqual(files_naming_mapwren(home), [])


def files_naming_mapwren(folder):
    """The files under the folder whose name or content holds "mapwren", in any case."""
    found = []
    for parent, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(parent, name), "rb") as f:
                if b"mapwren" in (name.encode() + f.read()).lower():
                    found.append(os.path.join(parent, name))
    return found


def installed_with(named):
    """The named packages, the base system's (Essential) packages, and every
    installed package they depend on: what apt installs with the named ones."""
    depends, todo = {}, list(named)
    form = "${db:Status-Abbrev}\t${Package}\t${Essential}\t${Pre-Depends}, ${Depends}\n"
    for line in run("dpkg-query", "-W", "-f", form).split("\n")[:-1]:
        status, package, essential, fields = line.split("\t")
        if not status.startswith("ii"):
            continue
        depends[package] = [re.split(r"[\s(:]", alternative.strip())[0]
                            for group in fields.split(",") for alternative in group.split("|") if alternative.strip()]
        todo += [package] if essential == "yes" else []
    seen = set()
    while todo:
        package = todo.pop()
        if package in depends and package not in seen:   # installed, and not met yet
            seen.add(package)
            todo += depends[package]
    return sorted(seen)
