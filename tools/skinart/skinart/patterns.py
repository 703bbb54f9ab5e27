# The pattern layouts a new codebase starts from and the pattern catalogue of the metalic skin.
# Buttons fill rows of equal height; a row's cells share its width. A pattern of several pages has
# a row of page buttons at the bottom of each page. Every button gets the face set of its size.
from . import backgrounds, faces, icons
from .layouts import LIGHT_TEXT, MAIN_AREA, Item, layout_elements
from .meta_text import Element, document, quoted

MARGIN = 4
GAP = 4
PAGE_ROW = 20  # height of the page buttons' row

NUMBERS = [["1", "2", "3"], ["4", "5", "6"], ["7", "8", "9"], ["0"]]
NAVIGATION = [["Menu", "Up", "Back"], ["Left", "OK", "Right"], ["Info", "Down", "Exit"]]
COLOURS = [["Red", "Green", "Yellow", "Blue"]]
# Players and receivers have fewer keys around their cursor pad.
PLAYER_NAVIGATION = [["Menu", "Up", "Back"], ["Left", "OK", "Right"], ["Info", "Down", None]]
RECEIVER_NAVIGATION = [["Menu", "Up", None], ["Left", "OK", "Right"], [None, "Down", None], ["Ch+", "Ch-"]]

# id, name shown to the user, archive category, pages (each a list of rows).
PATTERNS = [
    ("TV", "Television", "TV", [
        [["Power", "Mute", "Input"], ["Vol+", "Ch+"], ["Vol-", "Ch-"], ["Guide", "Info"]],
        NUMBERS + [["Menu", "Exit"]],
        NAVIGATION + COLOURS,
    ]),
    ("DVD", "DVD or Blu-ray player", "DVD/Blu-ray", [
        [["Power", "Eject"], ["Vol+", "Vol-"], ["Rewind", "Play", "Forward"], ["Previous", "Pause", "Next"],
         ["Stop"]],
        PLAYER_NAVIGATION,
        NUMBERS,
    ]),
    ("VCR", "Video recorder", "VCR", [
        [["Power", "Eject"], ["Rewind", "Play", "Forward"], ["Stop", "Pause", "Record"], ["Ch+", "Ch-"]],
        NUMBERS,
    ]),
    ("SAT", "Cable or satellite box", "Cable/Satellite box", [
        [["Power", "Mute"], ["Vol+", "Ch+"], ["Vol-", "Ch-"], ["Guide", "Info"]],
        NUMBERS + [["Back"]],
        NAVIGATION + COLOURS,
    ]),
    ("AUD", "Audio receiver", "Audio receiver", [
        [["Power", "Mute"], ["Vol+"], ["Vol-"], ["Input"]],
        RECEIVER_NAVIGATION,
    ]),
    ("CD", "CD player", "CD player", [
        [["Power", "Eject"], ["Previous", "Play", "Next"], ["Stop", "Pause"]],
        NUMBERS,
    ]),
    ("PROJ", "Projector", "Projector", [
        [["Power", "Input"], ["Menu", "Up", "Back"], ["Left", "OK", "Right"], [None, "Down", None]],
    ]),
    ("SBAR", "Soundbar", "Soundbar", [
        [["Power", "Mute"], ["Vol+"], ["Vol-"], ["Input"]],
    ]),
]
# Offered for every category (and for "*"): an empty page to learn into.
BLANK = ("BLANK", "Blank remote", 1000)
FIRST_RESOURCE_ID = 1001

# Import tables for codebases of the previous generation: the device-type prefix of the codebase's
# name, the pattern, and the old signal names (upper case, the prefix's device) -> the new ones.
OLD_NAMES = {
    "POWER": "Power", "MUTE": "Mute", "VOLUP": "Vol+", "VOLDOWN": "Vol-", "CHUP": "Ch+",
    "CHDOWN": "Ch-", "MENU": "Menu", "ENTER": "OK", "UP": "Up", "DOWN": "Down", "LEFT": "Left",
    "RIGHT": "Right", "PLAY": "Play", "STOP": "Stop", "PAUSE": "Pause", "REW": "Rewind",
    "FF": "Forward", "REC": "Record", "EJECT": "Eject", "INPUT": "Input", "GUIDE": "Guide",
    "INFO": "Info", "EXIT": "Exit", "BACK": "Back",
}
OLD_NAMES.update({"NUM%d" % d: str(d) for d in range(10)})
IMPORTS = [("TV_", "TV"), ("CAB_", "SAT"), ("DVD_", "DVD"), ("VCR_", "VCR"), ("AUD_", "AUD"), ("TIV_", "SAT")]

# Signals shown by a symbol instead of their name: icon key and how to draw it. The symbols of the
# main area are drawn larger than the top panel's.
K = 1.3
SYMBOLS = {
    "Power": ("power", lambda: icons.power(K)), "Mute": ("mute", lambda: icons.mute(K)),
    "Up": ("up", lambda: icons.arrow("up", K)), "Down": ("down", lambda: icons.arrow("down", K)),
    "Left": ("left", lambda: icons.arrow("left", K)), "Right": ("right", lambda: icons.arrow("right", K)),
    "Play": ("play", lambda: icons.play(K)), "Pause": ("pause", lambda: icons.pause(K)),
    "Stop": ("stop", lambda: icons.stop(K)), "Record": ("record", lambda: icons.record(K)),
    "Rewind": ("rewind", lambda: icons.rewind(K)), "Forward": ("forward", lambda: icons.forward(K)),
    "Previous": ("previous", lambda: icons.previous(K)), "Next": ("next", lambda: icons.next_track(K)),
    "Eject": ("eject", lambda: icons.eject(K)),
    "Red": ("red", lambda: icons.colour_key(0xD8302C)), "Green": ("green", lambda: icons.colour_key(0x2FA84A)),
    "Yellow": ("yellow", lambda: icons.colour_key(0xF0C419)), "Blue": ("blue", lambda: icons.colour_key(0x2F6FD0)),
}
# Digits are the keys read most often: the larger font.
LARGE_TITLES = set("0123456789")


def metal_face(art, w, h):
    return art.face("%dx%d" % (w, h), lambda: faces.face_set(w, h))


def main_background(art, kind):
    w, h = MAIN_AREA[kind]
    return art.background("body-" + kind, lambda: backgrounds.body(w, h))


def signal_button(art, name, x, y, w, h):
    item = Item(x, y, w, h, action=name, profile=metal_face(art, w, h))
    if name in SYMBOLS:
        key, make = SYMBOLS[name]
        item.icon = art.icon(key, make)
    else:
        item.title = name
        item.font = 1 if name in LARGE_TITLES else 0
    return item


def _cell_width(width, cells):
    return (width - MARGIN * 2 - GAP * (cells - 1)) // cells


def grid(art, rows, width, top, bottom):
    """The rows' buttons filling the band top..bottom of a page width wide. A row of one key on a
    page of rows of three or more gets one key's width, centred (the "0" under the digits); None
    leaves a cell empty."""
    items = []
    if not rows:
        return items
    widest = max(len(row) for row in rows)
    row_height = (bottom - top - GAP * (len(rows) - 1)) // len(rows)
    for r, row in enumerate(rows):
        y = top + r * (row_height + GAP)
        cell_width = _cell_width(width, widest if len(row) == 1 and widest >= 3 else len(row))
        # The pixels the division leaves go to the margins, so the row stays centred.
        left = (width - cell_width * len(row) - GAP * (len(row) - 1)) // 2
        for c, name in enumerate(row):
            if name is None:
                continue
            items.append(signal_button(art, name, left + c * (cell_width + GAP), y, cell_width, row_height))
    return items


def page_row(art, number, count, width, height):
    """The page buttons at the foot of a page of a pattern with several pages, and "n / count"."""
    y = height - MARGIN - PAGE_ROW
    w = 44
    previous = Item(MARGIN, y, w, PAGE_ROW, action="@page-", profile=metal_face(art, w, PAGE_ROW),
                    icon=art.icon("page-left", lambda: icons.small_arrow("left")))
    following = Item(width - MARGIN - w, y, w, PAGE_ROW, action="@page+", profile=metal_face(art, w, PAGE_ROW),
                     icon=art.icon("page-right", lambda: icons.small_arrow("right")))
    indicator = Item(MARGIN + w + GAP, y, width - 2 * (MARGIN + w + GAP), PAGE_ROW, title="%d / %d" % (number, count),
                     label=True, color=LIGHT_TEXT, align=0)
    return [previous, indicator, following]


def pattern_pages(art, pages, kind):
    width, height = MAIN_AREA[kind]
    bg = main_background(art, kind)
    out = []
    for number, rows in enumerate(pages, 1):
        if len(pages) > 1:
            items = grid(art, rows, width, MARGIN, height - MARGIN - PAGE_ROW - GAP)
            items += page_row(art, number, len(pages), width, height)
        else:
            items = grid(art, rows, width, MARGIN, height - MARGIN)
        out.append((bg, items))
    return out


HEADER = ["Generated by tools/skinart/make-skin-art; edit the tables there."]


def layout_document(art, pages):
    root = Element("remote", version=300, skin="zq-skin-metalic")
    root.children += layout_elements(lambda kind: pattern_pages(art, pages, kind))
    return document(root, HEADER)


def pattern_documents(art):
    """File name -> document text of every pattern layout."""
    out = {"blank.meta": layout_document(art, [[]])}
    for pattern_id, _, _, pages in PATTERNS:
        out[pattern_id.lower() + ".meta"] = layout_document(art, pages)
    return out


def _pattern_lines(pattern_id, name, resource_id, indent):
    pad = " " * indent
    return [pad + "pattern {", pad + "  name = string %s" % quoted(name), pad + "  id = string %s" % quoted(pattern_id),
            pad + "  resid = int16 %d" % resource_id, pad + "}"]


def catalogue_document():
    lines = ["# Generated by tools/skinart/make-skin-art; edit the tables there.",
             "# Patterns outside a category element are offered for every category until the category's",
             "# own element replaces them; the import part renames the signals of 2.x codebases.",
             "catalog {", "  content {"]
    lines += _pattern_lines(BLANK[0], BLANK[1], BLANK[2], 4)
    for index, (pattern_id, name, category, _) in enumerate(PATTERNS):
        lines += ["    group {", "      category = string %s" % quoted(category)]
        lines += _pattern_lines(pattern_id, name, FIRST_RESOURCE_ID + index, 6)
        lines += _pattern_lines(BLANK[0], BLANK[1], BLANK[2], 6)
        lines.append("    }")
    # The branches that do not start from an archive model ask for "*": every pattern.
    lines += ["    group {", "      category = string \"*\""]
    for index, (pattern_id, name, _, _) in enumerate(PATTERNS):
        lines += _pattern_lines(pattern_id, name, FIRST_RESOURCE_ID + index, 6)
    lines += _pattern_lines(BLANK[0], BLANK[1], BLANK[2], 6)
    lines.append("    }")
    lines += ["  }", "  import {"]
    for prefix, pattern_id in IMPORTS:
        lines += ["    table {", "      filter = string %s" % quoted(prefix), "      category = string %s" % quoted(pattern_id)]
        for old, new in OLD_NAMES.items():
            lines += ["      map {", "        src = string %s" % quoted(prefix + old), "        dst = string %s" % quoted(new), "      }"]
        lines.append("    }")
    lines += ["  }", "}"]
    return "\n".join(lines) + "\n"


def pattern_manifest_lines():
    lines = ["RDAT %d patterns/blank.meta --names" % BLANK[2]]
    for index, (pattern_id, _, _, _) in enumerate(PATTERNS):
        lines.append("RDAT %d patterns/%s.meta --names" % (FIRST_RESOURCE_ID + index, pattern_id.lower()))
    return lines
