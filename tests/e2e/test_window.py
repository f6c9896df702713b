"""The real window, driven by real X input; each case starts it afresh."""
import os
import time
import unittest

import harness
from harness import CONTROLS, DIALOG_LOAD_LIST, DIALOG_OPEN_FOLDER, DIALOG_SAVE_LIST, Program, px, wait_for

# Listed in this order; every order a header can give differs from it.
MAPS = [("c.img", "Mike Trails", 20000), ("a.img", "Zulu Topo", 10000),
        ("d.img", "Delta Roads", 15000, 0x5A), ("b.img", "Alpha Cycle", 9000)]


# Around the client area, in pixels: the frame on each side, and all that is
# above it (menu bar; under Wine also the frame and the title bar, which Wine
# draws itself as no window manager runs).
DECORATION = {"linux": (0, 18), "wine": (3, 41)}

# Cases that have a meaning on one kind of platform only (harness.Platform.kinds).
ONLY_ON = {"test_package_unpacked_and_started_from_its_menu_entry_with_a_list_it_uploads": "tarball",
           "test_the_tool_runs_in_a_terminal_that_stays_open_until_enter": "linux",
           "test_the_tool_runs_in_a_console_that_stays_open_until_enter": "zip",
           "test_the_connection_test_runs_its_script_without_a_run_bit_and_no_shell_reads_the_folder_name": "linux",
           "test_a_windows_tool_runs_through_wine_and_opens_the_maps_by_their_windows_paths": "linux"}


def designed_geometry():
    """The window's left, top, width and height: the designed client area, centred."""
    side, above = DECORATION[harness.PLATFORM.name]
    width, height = px(harness.CLIENT_WIDTH) + 2 * side, px(harness.CLIENT_HEIGHT) + above + side
    screen_width, screen_height = harness.SCREEN
    return (screen_width - width) // 2, (screen_height - height) // 2, width, height


class WindowCase(unittest.TestCase):
    def setUp(self):
        only = ONLY_ON.get(self._testMethodName, harness.PLATFORM.name)
        if only not in harness.PLATFORM.kinds:
            self.skipTest(f"{only} only")

    def start(self, tools=("sendmap20.exe",), program=None, launcher=None, **tool):
        """The window with MAPS loaded from a list named on its command line;
        in the given Program, started by the launcher command, if given;
        tool: the stand-in to copy and its behaviour (Program's)."""
        if getattr(self, "program", None):
            self.program.stop()   # the previous case's, also when it failed
        self.program = program or Program(tools, **tool)
        self.addCleanup(self.program.stop)
        self.paths = self.program.make_maps(MAPS)
        self.row = {os.path.basename(path)[0]: path for path in self.paths}
        # A blank in the list's name: the whole argument text names one file.
        self.program.start(self.program.make_list(self.paths, name="my maps.mwl"), launcher=launcher)
        return self.program


class Window(WindowCase):
    def test_client_area_has_its_designed_size_in_a_centred_window(self):
        p = self.start()
        self.assertEqual(p.geometry(), designed_geometry())

    def test_package_unpacked_and_started_from_its_menu_entry_with_a_list_it_uploads(self):
        # Unpacked as a user does, in a folder whose name the entry must quote.
        program = Program(unpacked_in="it's $HOME mine")
        self.addCleanup(program.stop)
        entry = harness.add_to_menu(os.path.dirname(program.program), os.path.join(program.folder, "home"))
        p = self.start(program=program, launcher=["gio", "launch", entry])
        self.assertEqual(p.title(), "MAPWREN v1.96  by Tobrenn     (Using Sendmap20.exe)")
        self.assertEqual(p.geometry(), designed_geometry())
        p.click("cmdSelectAll")
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent(self.paths))


class Sorting(WindowCase):
    def test_header_press_sorts_and_second_press_reverses(self):
        p = self.start()
        by = lambda files: [self.row[f] for f in files]
        for col, header, ascending in [(1, "File", "abcd"), (3, "Map Name", "bdca"), (4, "Bytes", "badc")]:
            for order in (ascending, ascending[::-1]):
                with self.subTest(header=header, order=order):
                    p.click_cell(0, col)
                    p.click("cmdSelectNone")
                    p.click("cmdSelectAll")   # ticks in grid order, so the tool gets that order
                    p.click("cmdUpload")
                    self.assertEqual(p.tool_args(), p.sent(by(order)))


class Ticking(WindowCase):
    def test_quick_double_click_on_a_tick_cell_flips_the_row_twice(self):
        p = self.start()
        p.click_cell(1, 0, repeat=2)
        p.click_cell(2, 0)
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent([self.row["a"]]))


    def test_arrow_keys_move_the_row_and_space_ticks_it_as_a_press_does(self):
        p = self.start()
        p.click_cell(1, 1)   # the grid takes the focus; a file cell ticks nothing
        p.key("Down", "Down", "a", "space", "Up", "space", "Down")
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent([self.row["d"], self.row["a"]]))


class Questions(WindowCase):
    def test_maps_sharing_a_name_or_too_big_for_fat32_are_sent_only_after_yes(self):
        cases = [  # (what, maps as (folder, file, size), clicks, the switches the tool gets before the maps)
            ("4 GB", [("maps", "x.img", 3 << 30), ("maps", "y.img", 1 << 30)],
             ["chkCreateFile", "cmdSelectAll", "cmdCreateFile"], ["-l"]),
            ("one name", [("maps", "a.img", 9000), ("other", "A.IMG", 8000)], ["cmdSelectAll", "cmdUpload"], []),
        ]
        for what, maps, clicks, switches in cases:
            with self.subTest(what):
                if getattr(self, "program", None):
                    self.program.stop()
                self.program = p = Program()
                self.addCleanup(p.stop)
                paths = [p.make_maps([(file, "Map", size)], os.path.join(p.folder, folder))[0]
                         for folder, file, size in maps]
                p.start(p.make_list(paths, head="mapwren Auto"))
                for control in clicks:
                    p.click(control)
                p.key("Return", window=p.wait_window("MAPWREN"))   # No, the default
                self.assertTrue(p.no_tool_run(), "No started the tool")
                p.click(clicks[-1])
                p.key("alt+y", window=p.wait_window("MAPWREN"))
                self.assertEqual(p.tool_args(), switches + p.sent(paths))


class Dropping(WindowCase):
    def test_a_map_a_list_and_a_folder_dragged_onto_the_window_load_in_that_order(self):
        p = self.start()
        loose = p.make_maps([("x.img", "X-Ray", 4000), ("w.img", "Whiskey", 3000)], os.path.join(p.folder, "loose"))
        folder = os.path.join(p.folder, "more")
        found = p.make_maps([("y.img", "Yankee", 3000)], folder)
        p.click("chkMapset")   # a box that takes typed and dropped text: the window takes the drop all the same
        p.drag([loose[0], p.make_list([loose[1]], name="other.mwl"), folder], "txtMapset")
        p.click("cmdSelectAll")
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent(self.paths + loose + found) + ["-m", ""])   # and the box kept no text


class AccessKeys(WindowCase):
    def test_each_access_key_acts_with_one_press(self):
        all_maps = lambda p: p.sent(self.paths)
        cases = [
            # (what it presses, clicks before, keys, clicks after, what is seen)
            ("Load Folder", [], ["alt+f"], [], ("window", DIALOG_OPEN_FOLDER)),
            ("Load", [], ["alt+l"], [], ("window", DIALOG_LOAD_LIST)),
            ("Save", ["cmdSelectAll"], ["alt+s"], [], ("window", DIALOG_SAVE_LIST)),
            ("Select All", [], ["alt+a"], ["cmdUpload"], ("args", all_maps)),
            ("Select None", ["cmdSelectAll"], ["alt+n"], [(1, 0), "cmdUpload"],
             ("args", lambda p: p.sent(self.paths[:1]))),
            ("Erase GPS, then Yes", [], ["alt+e", "alt+y"], [], ("args", lambda p: ["-e"])),
            ("No while the question is open", ["cmdSelectAll"], ["alt+e", "alt+n", "alt+y"], [],
             ("no run, then args", all_maps)),
            ("Exit", [], ["alt+x"], [], ("exit", None)),
            ("Test Connection", [], ["alt+t"], [], ("file", harness.PLATFORM.script)),
        ]
        for what, before, keys, after, (seen, expected) in cases:
            with self.subTest(what):
                p = self.start()
                for control in before:
                    p.click(control)
                for key in keys:
                    p.key(key)
                for control in after:
                    p.click_cell(*control) if isinstance(control, tuple) else p.click(control)
                if seen == "window":
                    p.wait_window(expected)
                elif seen == "args":
                    self.assertEqual(p.tool_args(), expected(p))
                elif seen == "no run, then args":
                    self.assertTrue(p.no_tool_run(), "the erase ran")
                    p.click("cmdUpload")   # Select None did not act either
                    self.assertEqual(p.tool_args(), expected(p))
                elif seen == "exit":
                    self.assertTrue(p.exited(), "the program is still running")
                else:
                    path = os.path.join(p.folder, expected)
                    wait_for(lambda: os.path.exists(path), 5, expected)

    def test_clear_empties_the_grid(self):
        p = self.start()
        other = p.make_maps([("e.img", "Echo", 5000)], os.path.join(p.folder, "other"))
        p.key("alt+c")
        p.click("cmdLoadList")
        p.type_into(p.wait_window(DIALOG_LOAD_LIST), p.make_list(other, name="other.mwl"))
        p.click("cmdSelectAll")
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent(other))


class TabOrder(WindowCase):
    def test_tab_leaves_the_grid_for_the_load_button(self):
        p = self.start()
        p.click_cell(1, 1)   # a file cell: focus, no tick
        p.key("Tab", "space")
        p.wait_window(DIALOG_LOAD_LIST)

    def test_every_tab_stop_shows_that_it_has_the_focus(self):
        p = self.start()   # Load Folder has the focus
        stops = ["optAuto", "opt115200", "cmdEraseGPS", "cmdExit", "grid", "cmdLoadList", "cmdClearGrid", "chkMapset",
                 "cmdSelectAll", "chkCreateFile", "cmdFileOpen"]
        for stop in stops:
            unfocused = p.pixels(stop)
            p.key("Tab")
            wait_for(lambda: p.pixels(stop) != unfocused, 3, f"{stop} to show the focus")

    def test_select_all_by_its_access_key_passes_the_focus_on_to_select_none(self):
        p = self.start()
        p.key("alt+a", "Tab", "space")   # from Select None, Tab reaches Create File
        p.click("cmdCreateFile")
        self.assertEqual(p.tool_args()[0], "-l")

    def test_tab_in_create_file_mode_goes_round_to_the_port_and_speed_buttons(self):
        p = self.start()
        p.click_cell(1, 0)
        for control in ["cmdEraseGPS", "optSureNo", "chkCreateFile"]:
            p.click(control)
        p.key("Tab")   # Create File
        for stop in ["cmdFileOpen", "optAuto", "opt115200", "cmdEraseGPS"]:
            unfocused = p.pixels(stop)
            p.key("Tab")
            wait_for(lambda: p.pixels(stop) != unfocused, 3, f"{stop} to show the focus")

    def test_no_from_the_keys_closes_the_erase_question_and_leaves_the_focus_on_upload(self):
        p = self.start()
        p.click_cell(1, 0)
        p.click("cmdEraseGPS")
        p.key("Tab", "Tab", "space")   # Yes, No, answered
        self.assertTrue(p.no_tool_run(), "the tool ran on No")
        p.key("space")
        self.assertEqual(p.tool_args(), p.sent([self.row["c"]]))

    def test_tab_enters_an_option_group_at_its_selected_button(self):
        p = self.start()
        p.click("optAuto")   # selected already: only the focus moves
        p.key("Tab", "space")
        p.click_cell(1, 0)
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent([self.row["c"]]), "the speed changed")


class Commands(WindowCase):
    def test_upload_sends_the_ticked_maps_with_the_chosen_settings(self):
        # Rows ticked second first: the tool gets the maps in ticking order.
        cases = [
            (("sendmap20.exe",), [], [], []),
            (("sendmap20.exe",), ["opt19200"], ["-s19200"], []),
            (("sendmap20.exe",), ["optUSB", "opt9600"], ["-tUSB"], []),
            (("sendmap20.exe",), ["optCOM", "opt38400"], ["-t{COM1}", "-s38400"], []),
            (("sendmap20.exe",), ["chkMapset", "Alps Topo"], [], ["-m", "Alps Topo"]),
            (("sendmap.exe",), ["optCOM", "opt57600"], ["{COM1}", "-s57600"], []),
            (("sendmap.exe", "sendmap20.exe"), ["opt9600"], ["-s9600"], []),
        ]
        if harness.PLATFORM.name == "linux":   # the tool's Linux build, by its own name
            cases.append((("sendmap20",), ["opt19200"], ["-s19200"], []))
        for tools, settings, before, after in cases:
            with self.subTest(tools=tools, settings=settings):
                p = self.start(tools)
                variant = "Sendmap20.exe" if {"sendmap20.exe", "sendmap20"} & set(tools) else "Sendmap.exe"
                self.assertEqual(p.title(), f"MAPWREN v1.96  by Tobrenn     (Using {variant})")
                for step in settings:
                    p.click(step) if step in CONTROLS else p.type_text(step)
                p.click_cell(2, 0)
                p.click_cell(1, 0)
                p.click("cmdUpload")
                before = [arg.replace("{COM1}", p.port("COM1")) for arg in before]
                self.assertEqual(p.tool_args(), before + p.sent([self.row["a"], self.row["c"]]) + after)

    def test_create_file_says_what_came_of_it_once_the_tool_ended(self):
        for behaviour, title in [("", "Map File Created"), ("fail", "MAPWREN")]:
            with self.subTest(behaviour=behaviour):
                p = self.start(behaviour=behaviour)
                p.click("chkCreateFile")
                p.click_cell(1, 0)
                p.click("cmdCreateFile")
                self.assertEqual(p.tool_args(), ["-l", *p.sent([self.row["c"]])])
                p.wait_window(title, 10)
                self.assertEqual(os.path.exists(os.path.join(p.folder, "GMAPSUPP.IMG")), not behaviour)

    def test_erase_runs_only_after_yes(self):
        for port, answer, expected in [([], "optSureYes", ["-e"]), (["optCOM"], "optSureYes", ["-t{COM1}", "-e"]),
                                       ([], "optSureNo", None)]:
            with self.subTest(port=port, answer=answer):
                p = self.start()
                for control in port + ["cmdEraseGPS", answer]:
                    p.click(control)
                if expected:
                    self.assertEqual(p.tool_args(), [arg.replace("{COM1}", p.port("COM1")) for arg in expected])
                else:
                    self.assertTrue(p.no_tool_run(), "No erased the receiver")

    def test_save_writes_the_ticked_maps_in_grid_order(self):
        p = self.start()
        p.click("chkMapset")
        p.type_text("Alps")
        p.click_cell(4, 0)
        p.click_cell(2, 0)
        p.click("cmdSaveList")
        saved = os.path.join(p.folder, "saved.mwl")
        p.type_into(p.wait_window(DIALOG_SAVE_LIST), saved)
        wait_for(lambda: os.path.exists(saved), 5, "the list file")
        lines = ["mapwren Auto mapset:1 Alps", p.native(self.row["a"]), p.native(self.row["b"])]
        expected = "".join(line + "\r\n" for line in lines)
        with open(saved, "rb") as f:
            self.assertEqual(f.read(), expected.encode())

    def test_load_folder_through_the_open_dialog(self):
        p = self.start()
        folder = os.path.join(p.folder, "more maps")
        found = p.make_maps([("y.img", "Yankee", 3000), ("x.img", "X-Ray", 4000)], folder)
        open(os.path.join(folder, "notes.txt"), "w").close()
        p.click("cmdFileOpen")
        p.type_into(p.wait_window(DIALOG_OPEN_FOLDER), found[0])
        p.click("cmdSelectAll")
        p.click("cmdUpload")
        self.assertEqual(p.tool_args(), p.sent(self.paths + sorted(found)))


class ToolRuns(WindowCase):
    def test_the_tool_runs_in_a_terminal_that_stays_open_until_enter(self):
        p = self.start()
        p.click_cell(1, 0)
        p.click("cmdUpload")
        terminal = p.wait_window(harness.TERMINAL_TITLE, 10)
        self.assertEqual(p.tool_args(), p.sent([self.row["c"]]))
        time.sleep(1)   # the tool has ended: its last lines stay to be read
        self.assertIn(terminal, harness.find_window(harness.TERMINAL_TITLE), "the terminal closed before Enter")
        p.key("Return", window=terminal)
        wait_for(lambda: not harness.find_window(harness.TERMINAL_TITLE), 5, "the terminal to close on Enter")

    def test_the_tool_runs_in_a_console_that_stays_open_until_enter(self):
        p = self.start(program=Program(unpacked_in="unpacked"))   # the zip's console program beside mapwren.exe
        p.click_cell(1, 0)
        p.click("cmdUpload")
        console = p.wait_window(harness.TERMINAL_TITLE, 10)
        self.assertEqual(p.tool_args(), p.sent([self.row["c"]]))
        time.sleep(1)   # the tool has ended: its last lines stay to be read
        p.key("x", window=console)
        self.assertIn(console, harness.find_window(harness.TERMINAL_TITLE), "the console closed before Enter")
        p.key("Return", window=console)
        wait_for(lambda: not harness.find_window(harness.TERMINAL_TITLE), 5, "the console to close on Enter")

    def test_the_connection_test_runs_its_script_without_a_run_bit_and_no_shell_reads_the_folder_name(self):
        program = Program(subfolder="tools $(touch X)")
        folder = os.path.dirname(program.program)
        script = os.path.join(folder, "Test Connection.sh")
        with open(script, "w") as f:   # as copied from a memory card: no run bit
            f.write(f"#!/bin/sh\n'{os.path.join(folder, 'sendmap20.exe')}' - i\nprintf 'Press Enter . . . '; read -r a\n")
        os.chmod(script, 0o644)
        p = self.start(program=program)
        p.key("alt+t")
        terminal = p.wait_window(harness.TERMINAL_TITLE, 10)
        self.assertEqual(p.tool_args(), ["-", "i"])
        p.key("Return", window=terminal)
        wait_for(lambda: not harness.find_window(harness.TERMINAL_TITLE), 5, "the terminal to close on Enter")
        self.assertEqual([root for root, _, files in os.walk(p.folder) if "X" in files], [], "a shell read the name")

    def test_a_windows_tool_runs_through_wine_and_opens_the_maps_by_their_windows_paths(self):
        if not os.path.exists(harness.WINDOWS_STANDIN):
            self.skipTest("no stand-in built for Windows (scripts/test-windows builds it)")
        p = self.start(standin=harness.WINDOWS_STANDIN)
        p.click("optCOM")
        p.click_cell(1, 0)
        p.click_cell(3, 0)
        p.click("cmdUpload")
        maps = ["Z:" + path.replace("/", "\\") for path in (self.row["c"], self.row["d"])]
        self.assertEqual(p.tool_args(60), ["-tCOM1", *maps])
        self.assertEqual(p.tool_read(), maps)

