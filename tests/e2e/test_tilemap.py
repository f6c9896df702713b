"""The tile map window, driven by real X input: opened from the main window,
tiles ticked by a click and a drag on their rectangles, and what the upload
tool then receives."""
import os

import harness
from test_window import WindowCase

# Three tiles side by side, each 1 degree wide and 2 high: fitted into the
# window they stand tall, so a click at the window's centre lands inside the
# middle one whatever the frame and the status line take.
TILES = [("63240001.img", 8, 9), ("63240002.img", 9, 10), ("63240003.img", 10, 11)]


class TileMap(WindowCase):
    def start_with_tiles(self):
        if getattr(self, "program", None):
            self.program.stop()
        self.program = p = harness.Program()
        self.addCleanup(p.stop)
        paths = []
        for file, west, east in TILES:
            paths.append(os.path.join(p.maps, file))
            harness.write_tile(paths[-1], "OSM Topo Germany", [(file[:8], 50, east, 48, west)])
        p.start(p.make_list(paths))
        return p, paths

    def test_a_click_and_a_drag_on_the_map_tick_tiles_for_the_upload(self):
        opening = [("shortcut", lambda p: p.key("F3")),
                   ("menu", lambda p: (p.click_at(15, -9), p.key("m")))]   # File, then Tile Map's access key
        for how, open_map in opening:
            with self.subTest(how):
                p, (west, middle, east) = self.start_with_tiles()
                open_map(p)
                x, y, width, height = p.geometry(p.wait_window("Tile Map"))
                p.click_screen(x + width // 2, y + height // 2)
                p.drag_screen((x + 8, y + height // 5), (x + width - 8, y + height * 3 // 4))
                p.click("cmdUpload")   # the map opens above the main window's Upload button
                # Ticked by the click, then by the box in the grid's order.
                self.assertEqual(p.tool_args(), p.sent([middle, west, east]))

    def test_esc_closes_the_map(self):
        p, _ = self.start_with_tiles()
        p.key("F3")
        tile_map = p.wait_window("Tile Map")
        p.key("Escape", window=tile_map)
        p.wait_gone(tile_map)
