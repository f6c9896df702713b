"""Write Combined Map File, driven by real X input: the menu item and its
shortcut, the save dialog, the progress window with its Cancel, and what
lands on the disk: every subfile of the ticked tiles byte for byte, or, on
Cancel and on a full card, nothing."""
import os
import subprocess

import harness
from harness import px, wait_for
from test_window import WindowCase

DIALOG = "Save the ticked maps as one combined map file"
PROGRESS = "Write Combined Map File"
PROGRESS_SIZE = (5400, 2040)    # the progress window's client area, twips
CANCEL = (4080 + 600, 1560 + 180)   # the centre of its Cancel button


def tile(number, rgn):
    """A tile's subfiles as mkgmap names them: a TRE whose bounds lie in the Alps, an RGN, an LBL."""
    tre = bytearray(0x80)
    for at, degrees in zip((0x15, 0x18, 0x1B, 0x1E), (47.5, 11.5, 47, 11)):
        tre[at:at + 3] = (round(degrees * (1 << 24) / 360) & 0xFFFFFF).to_bytes(3, "little")
    return [(number, "TRE", bytes(tre)), (number, "RGN", rgn), (number, "LBL", b"labels " + number.encode())]


class CombinedMap(WindowCase):
    def start_with_tiles(self, tiles):
        """The window with the tiles' files (name: RGN bytes or size) listed, none ticked."""
        if getattr(self, "program", None):
            self.program.stop()
        self.program = p = harness.Program()
        self.addCleanup(p.stop)
        paths = []
        for number, rgn in tiles:
            paths.append(os.path.join(p.maps, number + ".img"))
            harness.write_container(paths[-1], tile(number, rgn))
        p.start(p.make_list(paths, head="mapwren Auto"))
        self.card = os.path.join(p.folder, "card", "Garmin")
        os.makedirs(self.card)
        return p, paths

    @staticmethod
    def save_as(p, target):
        """The path typed into the save dialog; the progress window follows at once."""
        dialog = p.wait_window(DIALOG)
        harness.xdotool("windowfocus", dialog)
        harness.xdotool("key", "ctrl+a")
        harness.xdotool("type", "--delay", 5, p.native(target))
        harness.xdotool("key", "Return")
        p.wait_gone(dialog)

    def test_a_combined_file_written_through_the_menu_and_its_dialog_holds_every_tile_byte_for_byte(self):
        opening = [("shortcut", lambda p: p.key("ctrl+m")),
                   ("menu", lambda p: (p.click_at(15, -9), p.key("c")))]   # File, then the item's access key
        for how, open_command in opening:
            with self.subTest(how):
                p, paths = self.start_with_tiles([("63240001", bytes(range(256)) * 20), ("63240002", b"road" * 900)])
                p.click_cell(2, 0)
                p.click_cell(1, 0)
                open_command(p)
                target = os.path.join(self.card, "gmapsupp.img")
                self.save_as(p, target)
                p.key("Return", window=p.wait_window("Combined Map File Written", 20))
                written = harness.read_subfiles(target)
                expected = {}
                for path in reversed(paths):   # in the order ticked
                    expected.update(harness.read_subfiles(path))
                self.assertEqual([name for name in written if not name.endswith(".MPS")], list(expected))
                self.assertEqual({name: written[name] for name in expected}, expected)
                self.assertEqual(os.listdir(self.card), ["gmapsupp.img"])

    def test_cancel_and_a_full_card_leave_nothing_behind_while_the_window_stays_usable(self):
        big = [("63240001", 1 << 30), ("63240002", 1 << 30), ("63240003", 1 << 30)]
        for how in ("escape", "click", "full card"):
            with self.subTest(how):
                p, paths = self.start_with_tiles(big if how != "full card" else [("63240001", 3 << 20)])
                target = os.path.join(self.card, "gmapsupp.img")
                if how == "full card":
                    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", self.card], check=True)
                    self.addCleanup(subprocess.run, ["umount", self.card])
                p.click("cmdSelectAll")
                p.key("ctrl+m")
                self.save_as(p, target)
                if how != "full card":
                    progress = p.wait_window(PROGRESS, 10)
                    if how == "escape":
                        # The main window still answers: Upload starts the tool with the ticked maps. (Under
                        # Wine the tool's console would then take the keys meant for the progress window.)
                        if harness.PLATFORM.name == "linux":
                            p.click("cmdUpload")
                            self.assertEqual(p.tool_args(), p.sent(paths))
                        p.key("Escape", window=progress)
                    else:
                        x, y, width, height = p.geometry(progress)
                        frame = (width - px(PROGRESS_SIZE[0])) // 2
                        p.click_screen(x + frame + px(CANCEL[0]), y + height - frame - px(PROGRESS_SIZE[1]) + px(CANCEL[1]))
                    p.wait_gone(progress, 20)
                message = p.wait_window("MAPWREN", 20)
                p.key("Return", window=message)
                self.assertEqual(os.listdir(self.card), [])
