"""Drives the real MAPWREN window under its own Xvfb with real X input (xdotool).

Each Program runs in a fresh temporary program folder holding a copy of the
program and of the recording stand-in tool, which writes the arguments it got,
one per line, to "sendmap-args.txt" beside itself. PLATFORM says which: the
Linux window (linux()), the Windows program under Wine (wine()) or the Linux
program from its tarball (tarball()).
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import zipfile


# The Linux build, whose drag source, an X program, drags onto Wine's windows too.
LINUX_BIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "bin")
# The stand-in built for Windows, which the Linux program runs through Wine.
WINDOWS_STANDIN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "mingw", "bin",
                               "mapwren_standin.exe")
# The terminal window the Linux program shows the tool in: xterm and its kin,
# placed by their resources at the screen's bottom left, under the main window.
TERMINAL_TITLE = "MAPWREN - upload tool"
XTERM_RESOURCES = "*vt100.geometry: 80x6+0-0\n*geometry: 80x6+0-0\n"


class Platform:
    """kinds: what the cases may ask for, the name and, for a download, "package" and its own kind."""

    def __init__(self, name, program, standin, launch=(), script="Test Connection.sh", package=None,
                 dragsource=os.path.join(LINUX_BIN, "mapwren_dragsource"), kinds=()):
        self.name, self.program, self.standin, self.launch = name, program, standin, launch
        self.script, self.package, self.dragsource = script, package, dragsource
        self.kinds = {name, *kinds}


def linux(bin_folder):
    return Platform("linux", os.path.join(bin_folder, "mapwren"), os.path.join(bin_folder, "mapwren_standin"),
                    dragsource=os.path.join(bin_folder, "mapwren_dragsource"))


def wine(package, unpacked, bin_folder):
    """mapwren.exe unpacked from the package, with the stand-in built for Windows."""
    return Platform("wine", unpack(package, unpacked), os.path.join(bin_folder, "mapwren_standin.exe"),
                    ("wine",), "Test Connection.bat", package, kinds=("package", "zip"))


def tarball(package, unpacked):
    """mapwren unpacked from the Linux package, with the stand-in of the Linux build."""
    return Platform("linux", unpack(package, unpacked), os.path.join(LINUX_BIN, "mapwren_standin"),
                    package=package, kinds=("package", "tarball"))


def unpack(package, folder):
    """Unpacks a download into a folder as a user does; the program's path in it."""
    if package.endswith(".zip"):
        with zipfile.ZipFile(package) as archive:
            archive.extractall(folder)
        return os.path.join(folder, "mapwren.exe")
    subprocess.run(["tar", "-xzf", package, "-C", folder], check=True)
    top = os.path.basename(package).split("-linux-")[0]   # mapwren-VERSION
    return os.path.join(folder, top, "mapwren")


PLATFORM = linux("build/bin")
SCREEN = (1024, 768)
TWIPS_PER_PIXEL = 15
CLIENT_WIDTH, CLIENT_HEIGHT = 11805, 6510

# Client-area places in twips (left, top, width, height), frames already added.
FRAMES = {"Frame1": (120, 1100), "fmeSpeed": (120, 2640), "fmeMapset": (120, 4880), "fmeList": (5100, 4720)}
CONTROLS = {
    "cmdFileOpen": (None, 120, 100, 1260, 855),
    "optAuto": ("Frame1", 100, 240, 855, 255),
    "optCOM": ("Frame1", 100, 600, 255, 255),
    "optUSB": ("Frame1", 100, 960, 855, 255),
    "opt9600": ("fmeSpeed", 240, 285, 195, 195),
    "opt19200": ("fmeSpeed", 240, 525, 195, 195),
    "opt38400": ("fmeSpeed", 240, 765, 195, 195),
    "opt57600": ("fmeSpeed", 240, 1005, 195, 195),
    "opt115200": ("fmeSpeed", 240, 1245, 195, 195),
    "chkMapset": ("fmeMapset", 120, 280, 255, 255),
    "txtMapset": ("fmeMapset", 1440, 280, 3135, 285),
    "cmdSelectAll": ("fmeList", 120, 240, 1365, 255),
    "cmdSelectNone": ("fmeList", 1560, 240, 1215, 255),
    "cmdClearGrid": ("fmeList", 120, 620, 855, 255),
    "cmdLoadList": ("fmeList", 1080, 620, 855, 255),
    "cmdSaveList": ("fmeList", 2040, 620, 735, 255),
    "cmdEraseGPS": (None, 5880, 5880, 1335, 255),
    "optSureYes": (None, 6480, 6135, 615, 255),
    "optSureNo": (None, 7200, 6135, 615, 255),
    "chkCreateFile": (None, 8120, 5520, 255, 255),   # its box, at the left end
    "cmdUpload": (None, 8160, 5820, 1815, 615),
    "cmdCreateFile": (None, 8160, 5820, 1815, 615),
    "cmdExit": (None, 10365, 5820, 1335, 615),
}
GRID = (1470, 80)                          # twips
GRID_FRAME = 1                             # pixels of border around header and rows
ROW_HEIGHT = 16                            # pixels, header row included (240 twips)
COLUMN_WIDTHS = (250, 1300, 3607, 3990, 1020)

DIALOG_OPEN_FOLDER = "Select Folder Containing Garmin .img Files"
DIALOG_LOAD_LIST = "Select Text file containing list of .img Files"
DIALOG_SAVE_LIST = "Save list of selected maps to a text file"


def px(twips):
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


def wait_for(condition, timeout=5.0, what="condition"):
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(0.05)


def write_map(path, name, size, xor=0):
    """A Garmin .img header: every byte XORed with byte 0; the marks DSKIMG at
    0x10 and GARMIN at 0x41; the map name is 50 characters, 20 at 0x49 and 30
    at 0x65. The rest is a sparse file."""
    head = bytearray(131)
    head[0] = xor
    for at, mark in ((0x10, b"DSKIMG"), (0x41, b"GARMIN")):
        head[at:at + 6] = bytes(byte ^ xor for byte in mark)
    name = (name.encode("cp1252") + b" " * 50)[:50]
    for i, byte in enumerate(name):
        head[0x49 + i if i < 20 else 0x65 + i - 20] = byte ^ xor
    with open(path, "wb") as f:
        f.write(head)
    os.truncate(path, size)


def write_tile(path, name, tiles):
    """A Garmin map file as write_map writes its header, whose directory holds
    a TRE subfile for each tile: (TRE name, north, east, south, west) in
    degrees, each bound a signed 24-bit value at 0x15, 0x18, 0x1B and 0x1E of
    its TRE header. The directory starts at 512 x byte 0x40, its first entry
    covers the header and the directory; blocks are 2^(byte 0x61 + byte 0x62)."""
    block, directory_at = 2048, 1024
    write_map(path, name, 131)   # the header alone
    with open(path, "rb") as f:
        head = bytearray(f.read()).ljust(directory_at, b"\0")
    head[0x40], head[0x61], head[0x62] = directory_at // 512, 9, 2

    def entry(name, kind, size, first_block):
        e = bytearray(b"\xff" * 512)
        e[0:12] = b"\x01" + (name.ljust(8)[:8] + kind).encode()
        e[0x0C:0x20] = size.to_bytes(4, "little") + bytes(16)
        e[0x20:0x22] = first_block.to_bytes(2, "little")
        return e

    first = -(-(directory_at + 512 * (1 + len(tiles))) // block)
    data = head + entry("", "   ", first * block, 0)
    for i, (tre, *_) in enumerate(tiles):
        data += entry(tre, "TRE", 0x21, first + i)
    data = data.ljust(first * block, b"\0")
    for _, *bounds in tiles:
        tre = bytearray(block)
        for at, degrees in zip((0x15, 0x18, 0x1B, 0x1E), bounds):
            tre[at:at + 3] = (round(degrees * (1 << 24) / 360) & 0xFFFFFF).to_bytes(3, "little")
        data += tre
    with open(path, "wb") as f:
        f.write(data)


def write_container(path, subfiles, description="Generated map"):
    """A map container as mkgmap writes one: header, the directory at 0x400,
    then each subfile on blocks of its own, in the smallest blocks (512 bytes
    and up) whose numbers fit in 16 bits. subfiles: (name, type, bytes, or a
    size in bytes of zeros left sparse)."""
    sizes = [len(data) if isinstance(data, bytes) else data for _, _, data in subfiles]
    exponent = 9
    while True:
        block = 1 << exponent
        counts = [-(-size // block) for size in sizes]
        entries = sum(max(1, -(-count // 240)) for count in counts)
        first = -(-(0x400 + 512 * (1 + entries)) // block)
        if first + sum(counts) < 0xFFFF:
            break
        exponent += 1
    head = bytearray(first * block)
    head[0x10:0x17], head[0x41:0x48] = b"DSKIMG\0", b"GARMIN\0"
    head[0x49:0x5D] = description.encode().ljust(20)[:20]
    head[0x40], head[0x61], head[0x62] = 2, 9, exponent - 9
    head[0x1FE:0x200] = b"\x55\xaa"

    def entry(at, name, kind, size, part, numbers):
        """The size in a subfile's first entry only; the header's own entry carries part 3."""
        e = bytearray(b"\xff" * 512)
        e[0:12] = b"\x01" + (name.ljust(8)[:8] + kind.ljust(3)[:3]).encode()
        e[0x0C:0x20] = (size if part == 0 or not name else 0).to_bytes(4, "little") + part.to_bytes(2, "little") + bytes(14)
        for i, number in enumerate(numbers):
            e[0x20 + 2 * i:0x22 + 2 * i] = number.to_bytes(2, "little")
        head[at:at + 512] = e

    entry(0x400, "", "", first * block, 3, range(first))
    at, next_block, places = 0x600, first, []
    for (name, kind, _), count, size in zip(subfiles, counts, sizes):
        numbers = list(range(next_block, next_block + count))
        places.append(next_block * block)
        for part in range(max(1, -(-count // 240))):
            entry(at, name, kind, size, part, numbers[part * 240:(part + 1) * 240])
            at += 512
        next_block += count
    with open(path, "wb") as f:
        f.write(head)
        for (_, _, data), place in zip(subfiles, places):
            if isinstance(data, bytes):
                f.seek(place)
                f.write(data)
        f.truncate(next_block * block)


def read_subfiles(path):
    """Every subfile of a map container by its full name ("63240001.TRE"),
    its bytes read as the directory lists its blocks."""
    with open(path, "rb") as f:
        data = f.read()
    block = 1 << (data[0x61] + data[0x62])
    at, found, order = data[0x40] * 512, {}, []
    while at + 512 <= len(data) and data[at] == 1:
        e = data[at:at + 512]
        name = e[1:9].decode().strip() and e[1:9].decode().rstrip() + "." + e[9:12].decode().rstrip()
        numbers = [n for n in (int.from_bytes(e[0x20 + 2 * i:0x22 + 2 * i], "little") for i in range(240))
                   if n != 0xFFFF]
        if name not in found:
            order.append(name)
            found[name] = [int.from_bytes(e[0x0C:0x10], "little"), []]
        found[name][1] += numbers
        at += 512
    return {name: b"".join(data[n * block:(n + 1) * block] for n in found[name][1])[:found[name][0]]
            for name in order if name}


def write_list(path, head, maps):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in [head, *maps]).encode())


def menu_script(folder, script, home, check=True):
    """Runs the Linux download's add-to-menu.sh or remove-from-menu.sh for a user with this home folder."""
    os.makedirs(home, exist_ok=True)
    env = {key: value for key, value in os.environ.items() if not key.startswith("XDG_")}
    return subprocess.run([os.path.join(folder, script)], env={**env, "HOME": home}, check=check,
                          capture_output=True, text=True)


def add_to_menu(folder, home):
    """The menu entry that add-to-menu.sh of the unpacked folder made."""
    menu_script(folder, "add-to-menu.sh", home)
    return os.path.join(home, ".local", "share", "applications", "mapwren.desktop")


class Xvfb:
    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN, "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def stop(self):
        self.process.terminate()
        self.process.wait(5)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True).stdout.split("\n")[:-1]


def window_titles():
    return {wid: (xdotool("getwindowname", wid) or [""])[0] for wid in xdotool("search", "--onlyvisible", "--name", ".")}


def find_window(title):
    return [wid for wid, name in window_titles().items() if name == title]


class Program:
    """The window started in a fresh program folder with the given tool copies;
    or, given a folder name, in the download unpacked there in a fresh folder."""

    def __init__(self, tools=("sendmap20.exe",), unpacked_in=None, standin=None, behaviour="", subfolder=None):
        self.folder = tempfile.mkdtemp(prefix="mapwren-e2e-")
        self.maps = os.path.join(self.folder, "my maps")
        os.mkdir(self.maps)
        if unpacked_in:
            os.mkdir(os.path.join(self.folder, unpacked_in))
            self.program = unpack(PLATFORM.package, os.path.join(self.folder, unpacked_in))
        else:   # in a folder of the given name, if given
            os.makedirs(os.path.join(self.folder, subfolder or ""), exist_ok=True)
            self.program = shutil.copy(PLATFORM.program, os.path.join(self.folder, subfolder or ""))
        for tool in tools:
            shutil.copy(standin or PLATFORM.standin, os.path.join(os.path.dirname(self.program), tool))
        with open(os.path.join(os.path.dirname(self.program), "sendmap-behaviour.txt"), "w") as f:
            f.write(behaviour)   # "fail": the stand-in sends nothing and creates nothing
        self.args_file = os.path.join(os.path.dirname(self.program), "sendmap-args.txt")
        self.process = None
        self.helpers = []

    def start(self, *args, launcher=None):
        """Starts the program with the given paths as its arguments, or has the
        launcher (a command) start it with them."""
        # A session of its own, so the tool runs and any terminal end with it.
        self.log = os.path.join(self.folder, "mapwren.log")
        command = [*launcher] if launcher else [*PLATFORM.launch, self.program]
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen([*command, *map(self.native, args)],
                                            cwd=self.folder, start_new_session=True, stdout=log, stderr=log)
        # A launcher's child owns the window, and is the only program shown.
        ours = lambda w: launcher or xdotool("getwindowpid", w) == [str(self.process.pid)]
        try:
            self.window = wait_for(lambda: [w for w, t in window_titles().items() if t.startswith("MAPWREN ")
                                            and ours(w)],
                                   10, "the main window")[0]
        except AssertionError as e:
            with open(self.log) as log:
                raise AssertionError(f"{e}; exit status {self.process.poll()}, windows {window_titles()}, "
                                     f"output: {log.read()}") from None
        x, y, width, height = self.geometry()
        # The client area sits at the bottom of the window, under the menu bar
        # (and under Wine the title bar), inside a frame as wide on each side.
        frame = (width - px(CLIENT_WIDTH)) // 2
        self.origin = (x + frame, y + height - frame - px(CLIENT_HEIGHT))
        return self

    def geometry(self, window=None):
        """The X window's left, top, width and height, frame included."""
        shell = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window or self.window))
        return tuple(int(shell[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def stop(self):
        for helper in self.helpers:
            helper.kill()
            helper.wait(5)
        if self.process:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)   # the window, the tool runs, a terminal
            except ProcessLookupError:
                pass
            self.process.wait(5)
            self.process = None
            # Terminals run in sessions of their own, in the program's folder.
            for pid in filter(str.isdigit, os.listdir("/proc")):
                try:
                    if (os.readlink(f"/proc/{pid}/cwd") + "/").startswith(self.folder + "/"):
                        os.kill(int(pid), signal.SIGKILL)
                except OSError:
                    pass
            if hasattr(self, "window"):
                wait_for(lambda: self.window not in window_titles(), 5, "the window to go")
        shutil.rmtree(self.folder, ignore_errors=True)

    # Fixtures
    def make_maps(self, maps, folder=None):
        folder = folder or self.maps
        os.makedirs(folder, exist_ok=True)
        paths = []
        for file, name, size, *xor in maps:
            paths.append(os.path.join(folder, file))
            write_map(paths[-1], name, size, *xor)
        return paths

    def make_list(self, paths, head="mapwren ", name="maps.mwl"):
        path = os.path.join(self.folder, name)
        write_list(path, head, map(self.native, paths))
        return path

    # Paths as the program sees them
    @staticmethod
    def native(path):
        """A Linux path as the program names it: under Wine, on drive Z:."""
        return "Z:" + path.replace("/", "\\") if PLATFORM.name == "wine" else path

    def sent(self, paths):
        """The paths of these maps as the upload tool receives them: their short
        (8.3) form under Wine, asked of Wine itself."""
        if PLATFORM.name != "wine" or not paths:
            return list(paths)
        return subprocess.run(["winepath", "-s", *map(self.native, paths)], capture_output=True, text=True,
                              check=True).stdout.split("\n")[:-1]

    # Real X input
    def click_at(self, x, y, repeat=1):
        self.click_screen(self.origin[0] + x, self.origin[1] + y, repeat)

    @staticmethod
    def click_screen(x, y, repeat=1):
        xdotool("mousemove", x, y)
        xdotool("click", "--repeat", repeat, "--delay", 80, 1)

    @staticmethod
    def drag_screen(start, end, steps=8, pause=0.05):
        """A left drag between two points of the screen, moving in steps as a hand does."""
        xdotool("mousemove", *start)
        xdotool("mousedown", 1)
        for step in range(1, steps + 1):
            xdotool("mousemove", *(a + (b - a) * step // steps for a, b in zip(start, end)))
            time.sleep(pause)
        xdotool("mouseup", 1)

    def centre(self, control):
        """Centre of a control in client pixels."""
        frame, left, top, width, height = CONTROLS[control]
        if frame:
            left, top = left + FRAMES[frame][0], top + FRAMES[frame][1]
        return px(left + width // 2), px(top + height // 2)

    def click(self, control):
        self.click_at(*self.centre(control))

    def cell(self, row, col):
        """Centre of a grid cell in client pixels; row 0 is the header."""
        x = px(GRID[0]) + GRID_FRAME + sum(px(w) for w in COLUMN_WIDTHS[:col]) + px(COLUMN_WIDTHS[col]) // 2
        y = px(GRID[1]) + GRID_FRAME + row * ROW_HEIGHT + ROW_HEIGHT // 2
        return x, y

    def click_cell(self, row, col, repeat=1):
        self.click_at(*self.cell(row, col), repeat=repeat)

    def drag(self, paths, control):
        """Drags the paths with the real pointer from a drag source at the screen's top left onto a control."""
        self.helpers.append(subprocess.Popen([PLATFORM.dragsource, *paths],
                                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for(lambda: find_window("drag source"), 10, "the drag source")
        x, y = self.centre(control)
        # The drag follows the pointer's moves over both windows.
        self.drag_screen((60, 30), (self.origin[0] + x, self.origin[1] + y), pause=0.1)

    def key(self, *keys, window=None):
        xdotool("windowfocus", window or self.window)
        # No pause after: an access key acts at once, so a click right after it
        # must find its work done.
        xdotool("key", "--delay", 40, *keys)

    def type_text(self, text):
        xdotool("windowfocus", self.window)
        xdotool("type", "--delay", 5, text)

    def type_into(self, window, path):
        xdotool("windowfocus", window)
        xdotool("key", "ctrl+a")
        xdotool("type", "--delay", 5, self.native(path))
        xdotool("key", "Return")
        self.wait_gone(window)
        # The name box's completion list may still be up for a moment; a
        # click meant for the window would only close it.
        wait_for(lambda: list(window_titles()) == [self.window], 5, "the main window alone")

    # What a user or the tool observes
    def wait_window(self, title, timeout=5.0):
        return wait_for(lambda: find_window(title), timeout, f'a window titled "{title}"')[0]

    def wait_gone(self, window, timeout=5.0):
        # Seen closed only beside the main window: a failed look-up lists nothing.
        wait_for(lambda: (lambda shown: self.window in shown and window not in shown)(window_titles()), timeout,
                 "the window to close")

    def pixels(self, control):
        """The screen's pixels over a control (the grid by "grid") and a few around it, where its focus shows."""
        if control == "grid":
            left, top, width, height = px(GRID[0]), px(GRID[1]), px(sum(COLUMN_WIDTHS)), px(4660)
        else:
            (x, y), (_, left, top, width, height) = self.centre(control), CONTROLS[control]
            width, height = px(width), px(height)
            left, top = x - width // 2, y - height // 2
        return subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (
            width + 6, height + 6, self.origin[0] + left - 3, self.origin[1] + top - 3), "rgb:-"],
            capture_output=True, check=True).stdout

    def title(self):
        return xdotool("getwindowname", self.window)[0]

    def tool_args(self, timeout=10.0):
        """The arguments of the next tool run (the record is taken away)."""
        wait_for(lambda: os.path.exists(self.args_file), timeout, "the upload tool to be started")
        with open(self.args_file) as f:
            args = f.read().split("\n")[:-1]
        os.remove(self.args_file)
        return args

    @staticmethod
    def port(com):
        """A COM port as the tool receives it: the Linux build opens a device."""
        number = int(com[3:])
        devices = ["/dev/ttyS%d" % (number - 1), "/dev/ttyUSB%d" % (number - 5), "/dev/ttyACM%d" % (number - 8)]
        return com if PLATFORM.name == "wine" else devices[(number > 4) + (number > 7)]

    def tool_read(self):
        """The arguments the last tool run could open and read as files."""
        with open(os.path.join(self.folder, "sendmap-read.txt"), encoding="utf-8") as f:
            return f.read().split("\n")[:-1]

    def no_tool_run(self, settle=0.8):
        time.sleep(settle)   # nothing to wait for: a run would have written by now
        return not os.path.exists(self.args_file)

    def exited(self, timeout=5.0):
        try:
            self.process.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False
