"""Installing the ticked maps on a receiver, driven by real X input: on Linux
a real FAT32 volume made in a file and mounted without root through fusefat
(its process ended mid-write to take the volume away), under Wine a drive
letter mapped onto a folder. What the receiver would find is read back."""
import os
import shutil
import struct
import subprocess
import tempfile
import time

import harness
from harness import wait_for
from test_window import WindowCase

TITLE = "Install Maps on Receiver or Card"
BLOCK = 1 << 14   # the tiles' block size: a big RGN fits one directory entry
DEVICE_XML = """<?xml version="1.0" encoding="UTF-8" standalone="no" ?>
<Device xmlns="http://www.garmin.com/xmlschemas/GarminDevice/v2">
  <Model>
    <PartNumber>006-B1207-00</PartNumber>
    <SoftwareVersion>480</SoftwareVersion>
    <Description>eTrex 30</Description>
  </Model>
  <Id>3849591234</Id>
</Device>
"""


def write_big_tile(path, number, rgn_bytes):
    """A map tile as harness.write_tile makes one, with a TRE and an RGN of
    rgn_bytes, so that writing a few of them takes seconds on fusefat."""
    harness.write_map(path, "Big Tile %d" % number, 131)
    with open(path, "rb") as f:
        head = bytearray(f.read()).ljust(1024, b"\0")
    head[0x40], head[0x61], head[0x62] = 2, 9, 5

    def entry(name, kind, size, first, count):
        e = bytearray(b"\xff" * 512)
        e[0:12] = b"\x01" + (name.ljust(8) + kind).encode()
        e[0x0C:0x20] = struct.pack("<I", size) + bytes(16)
        e[0x20:0x20 + 2 * count] = b"".join(struct.pack("<H", first + i) for i in range(count))
        return e

    name, rgn_blocks = "6324%04d" % number, -(-rgn_bytes // BLOCK)
    data = head + entry("", "   ", BLOCK, 0, 1) + entry(name, "TRE", 0x80, 1, 1) + entry(name, "RGN", rgn_bytes, 2, rgn_blocks)
    tre = bytearray(BLOCK)
    for at, degrees in zip((0x15, 0x18, 0x1B, 0x1E), (47 + number, 11, 46 + number, 10)):
        tre[at:at + 3] = (round(degrees * (1 << 24) / 360) & 0xFFFFFF).to_bytes(3, "little")
    with open(path, "wb") as f:
        f.write(data.ljust(BLOCK, b"\0") + tre)
        f.write(bytes([number]) * rgn_bytes)


def subfiles(data):
    """The names of a combined file's subfiles, from its directory."""
    at, names = data[0x40] * 512, set()
    while at + 512 <= len(data) and data[at] == 1:
        names.add(data[at + 1:at + 12].decode())
        at += 512
    return names


class FatVolume:
    """A FAT32 volume in a file, mounted through fusefat in the foreground so its process can be ended."""

    def __init__(self, folder, megabytes):
        self.image, self.mount = os.path.join(folder, "card.img"), os.path.join(folder, "card")
        os.mkdir(self.mount)
        with open(self.image, "wb") as f:
            f.truncate(megabytes << 20)
        subprocess.run(["mkfs.vfat", "-F", "32", "-n", "ETREX", self.image], check=True, capture_output=True,
                       env={**os.environ, "PATH": "/sbin:/usr/sbin:" + os.environ["PATH"]})
        self.attach()

    def attach(self):
        self.process = subprocess.Popen(["fusefat", "-f", "-o", "rw+", self.image, self.mount],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: os.path.ismount(self.mount), 5, "the FAT volume to be mounted")

    def detach(self, kill=False):
        if kill:
            self.process.kill()
        else:
            subprocess.run(["fusermount", "-u", self.mount], check=True)
        self.process.wait(5)
        subprocess.run(["fusermount", "-u", "-z", self.mount], capture_output=True)   # after a kill

    def read(self, name):
        """A file as the volume holds it, read with mtools, not through the mount."""
        return subprocess.run(["mcopy", "-n", "-i", self.image, "::Garmin/" + name, "-"], capture_output=True,
                              env={**os.environ, "MTOOLS_SKIP_CHECK": "1"}).stdout


class Install(WindowCase):
    def setUp(self):
        super().setUp()
        self.work = tempfile.mkdtemp(prefix="mapwren-receiver-")
        self.addCleanup(shutil.rmtree, self.work, True)

    def start_with_tiles(self, count, rgn_bytes):
        self.program = p = harness.Program()
        self.addCleanup(p.stop)
        paths = [os.path.join(p.maps, "6324%04d.img" % n) for n in range(1, count + 1)]
        for n, path in enumerate(paths, 1):
            write_big_tile(path, n, rgn_bytes)
        p.start(p.make_list(paths))
        p.click("cmdSelectAll")
        return p

    def receiver(self, root):
        os.makedirs(os.path.join(root, "Garmin"), exist_ok=True)
        with open(os.path.join(root, "Garmin", "GarminDevice.xml"), "w") as f:
            f.write(DEVICE_XML)
        self.old = os.path.join(self.work, "old.img")
        harness.write_tile(self.old, "Old Topo", [("11110001", 50, 9, 48, 8)])
        shutil.copyfile(self.old, os.path.join(root, "Garmin", "gmapsupp.img"))

    def open_window(self, p):
        p.key("ctrl+i")
        window = p.wait_window(TITLE)
        time.sleep(0.5)   # mapped and given the focus before keys go to it
        return window

    def answer(self, p, window, keys):
        """Waits for a question or message over the install window (its title is the same), answers it with
        keys and waits for it to close."""
        shown = lambda: [w for w in harness.xdotool("search", "--name", TITLE) if w != window]
        box = wait_for(shown, 30, "a question or message")[0]
        time.sleep(0.3)
        harness.xdotool("windowfocus", box)
        harness.xdotool("key", "--delay", 40, *keys)
        wait_for(lambda: box not in shown(), 10, "the question or message to close")

    def install(self, p, window, answers):
        """Alt+I, then each answer to the questions and messages that follow."""
        p.key("alt+i", window=window)
        for keys in answers:
            self.answer(p, window, keys)

    def test_installs_on_a_fat32_receiver_and_a_pulled_volume_leaves_the_old_file_whole(self):
        if harness.PLATFORM.name != "linux":
            self.skipTest("fusefat is a Linux program")
        volume = FatVolume(self.work, 100)
        self.addCleanup(lambda: volume.process.poll() is not None or volume.detach())
        self.receiver(volume.mount)
        with open(self.old, "rb") as f:
            old = f.read()
        p = self.start_with_tiles(8, 3 << 20)
        window = self.open_window(p)
        target = os.path.join(volume.mount, "Garmin", "gmapsupp.img")

        # The replace question's default is No: nothing written.
        self.install(p, window, [["Return"]])
        with open(target, "rb") as f:
            self.assertEqual(f.read(), old)

        # The volume taken away mid-write: a message, the old file whole once it is back.
        p.key("alt+i", window=window)
        self.answer(p, window, ["alt+y"])
        temporary = wait_for(lambda: [n for n in os.listdir(os.path.dirname(target)) if n.endswith("-part")], 10,
                             "the temporary file")
        volume.detach(kill=True)
        self.answer(p, window, ["Return"])   # the message naming the failure
        self.assertEqual(volume.read("gmapsupp.img"), old)

        # Back again: the leftover is named and removed, the maps installed, the file read back.
        volume.attach()
        time.sleep(1.5)   # the window looks for receivers once a second
        self.install(p, window, [["alt+y"], ["Return"], ["Return"]])   # replace, leftover, eject: No
        volume.detach()
        written = volume.read("gmapsupp.img")
        self.assertEqual(written[0x10:0x17], b"DSKIMG\0")
        self.assertLessEqual({"6324%04dTRE" % n for n in range(1, 9)} | {"6324%04dRGN" % n for n in range(1, 9)},
                             subfiles(written))
        self.assertEqual(volume.read(temporary[0]), b"")

    def test_a_volume_too_small_for_the_maps_keeps_what_it_holds(self):
        if harness.PLATFORM.name != "linux":
            self.skipTest("fusefat is a Linux program")
        volume = FatVolume(self.work, 40)
        self.addCleanup(lambda: volume.process.poll() is not None or volume.detach())
        self.receiver(volume.mount)
        with open(self.old, "rb") as f:
            old = f.read()
        p = self.start_with_tiles(16, 3 << 20)
        window = self.open_window(p)
        self.install(p, window, [["alt+y"], ["Return"]])   # replace, then the message that it failed
        volume.detach()
        self.assertEqual(volume.read("gmapsupp.img"), old)
        listing = subprocess.run(["mdir", "-b", "-i", volume.image, "::Garmin"], capture_output=True, text=True,
                                 env={**os.environ, "MTOOLS_SKIP_CHECK": "1"}).stdout
        self.assertEqual(sorted(os.path.basename(line) for line in listing.split()),
                         ["GARMINDE.XML", "GMAPSUPP.IMG"] if "GARMINDE.XML" in listing else
                         ["GarminDevice.xml", "gmapsupp.img"])

    def test_a_drive_letter_on_a_receivers_folder_is_listed_and_installed_on(self):
        if harness.PLATFORM.name != "wine":
            self.skipTest("drive letters are Windows'")
        root = os.path.join(self.work, "etrex")
        self.receiver(root)
        letter = os.path.join(os.environ["WINEPREFIX"], "dosdevices", "r:")
        os.symlink(root, letter)
        self.addCleanup(os.remove, letter)
        # Wine learns its drive letters as it starts (a drive plugged in later reaches it through the desktop's
        # volume notices, which a test display lacks): a Wine left running by an earlier case must start afresh.
        subprocess.run(["wineserver", "-k"], capture_output=True)
        subprocess.run(["wineserver", "-w"], capture_output=True)
        p = self.start_with_tiles(2, 1 << 16)
        window = self.open_window(p)
        self.install(p, window, [["alt+y"], ["Return"]])   # replace, installed
        with open(os.path.join(root, "Garmin", "gmapsupp.img"), "rb") as f:
            written = f.read()
        self.assertEqual(subfiles(written) & {"63240001TRE", "63240002TRE"}, {"63240001TRE", "63240002TRE"})
