# The images of one skin and its tables: numbers the images, writes them as PNG resources, writes
# the image tables (WRDL: 16-bit big-endian image ids) and the image picker's row heights (HPRF),
# and lists them for the manifest.
import os
import struct

from .png_file import png_bytes

# Image resource ids by kind; a kind's images are numbered upwards from here.
FIRST_IMAGE_ID = {"bg": 2001, "icon": 3001, "face": 4001}
# Table resource ids by kind, also the picker's HPRF ids (1000 + image kind).
TABLE_ID = {"bg": 1000, "icon": 1001, "face": 1002}


class SkinArt:
    def __init__(self):
        self.backgrounds = []  # (key, canvas)
        self.icons = []
        self.faces = []  # (key, [canvas] * 4)
        self._profiles = {}

    def _profile(self, kind, key, items, value):
        if (kind, key) not in self._profiles:
            items.append((key, value))
            self._profiles[(kind, key)] = 1000 + len(items)
        return self._profiles[(kind, key)]

    # Profiles are 1001, 1002, ... in the order of first use.
    def background(self, key, make):
        return self._profiles.get(("bg", key)) or self._profile("bg", key, self.backgrounds, make())

    def icon(self, key, make):
        return self._profiles.get(("icon", key)) or self._profile("icon", key, self.icons, make())

    def face(self, key, make):
        return self._profiles.get(("face", key)) or self._profile("face", key, self.faces, make())

    def face_size(self, profile):
        canvas = self.faces[profile - 1001][1][0]
        return canvas.width, canvas.height

    def write(self, folder):
        """Writes images/ and tables/ into folder; returns the manifest lines for them."""
        images = os.path.join(folder, "images")
        tables = os.path.join(folder, "tables")
        for sub in (images, tables):
            os.makedirs(sub, exist_ok=True)
            for old in os.listdir(sub):
                os.remove(os.path.join(sub, old))
        lines = []
        files = {}

        def add_image(kind, name, canvas):
            image_id = FIRST_IMAGE_ID[kind] + len([k for k in files if k[0] == kind])
            file = "images/%s.png" % name
            with open(os.path.join(folder, file), "wb") as f:
                f.write(png_bytes(canvas.width, canvas.height, canvas.pixels))
            files[(kind, image_id)] = file
            lines.append("PNG %d %s" % (image_id, file))
            return image_id

        # Profile P finds its background or icon at entry P - 1000 + 1 and its face in state S at
        # entry 4 * (P - 1000) + S + 1; profile 1000 draws nothing and is never looked up, so the
        # entries before the first profile's (0-1, faces 0-4) stay 0.
        bg_table = [0, 0] + [add_image("bg", "bg-" + key, canvas) for key, canvas in self.backgrounds]
        icon_table = [0, 0] + [add_image("icon", "icon-" + key, canvas) for key, canvas in self.icons]
        face_table = [0, 0, 0, 0, 0]
        for key, states in self.faces:
            face_table += [add_image("face", "face-%s-%d" % (key, s), canvas) for s, canvas in enumerate(states)]
        heights = {
            "bg": [c.height for _, c in self.backgrounds],
            "icon": [c.height for _, c in self.icons],
            "face": [states[0].height for _, states in self.faces],
        }
        for kind, table in (("bg", bg_table), ("icon", icon_table), ("face", face_table)):
            name = "tables/wrdl-%d.bin" % TABLE_ID[kind]
            with open(os.path.join(folder, name), "wb") as f:
                f.write(struct.pack(">%dH" % len(table), *table))
            lines.append("WRDL %d %s" % (TABLE_ID[kind], name))
            # Picker rows: "no image" first (its height is the text's), then one per profile.
            rows = [0] + heights[kind]
            name = "tables/hprf-%d.bin" % (TABLE_ID[kind],)
            with open(os.path.join(folder, name), "wb") as f:
                f.write(struct.pack(">%dH" % (len(rows) + 1), len(rows), *rows))
            lines.append("HPRF %d %s" % (TABLE_ID[kind], name))
        return lines
