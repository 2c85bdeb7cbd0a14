#!/usr/bin/python3
"""Replays the saw cuts of result JSON files against their parts.

Every used sheet of a guillotine plan is cut in the order of its "cuts": each cut
must run edge to edge across exactly one current piece and touch no part; at the
end no piece may hold two parts and every part must lie alone in a piece of its
own size. cutCount and cutLength must agree with the cuts, and the plan's totals
with its sheets. A slot is the plan's bladeWidth wide. Prints "sheets S cuts C"
for all files; exits 1 on the first fault.

With --report, the cut lists of an English report (or of the cut part alone) are
read as the operator reads them and replayed against the one plan given: per
layout, groups headed "NAME (from x = R):" or "(from y = R):", each row "NUMBERS
DIRECTION POSITION LENGTH [×N]", the position from R, NUMBERS the cuts' places in
the sequence ("9,11", "20-23"), one per piece NAME lists. R, POSITION and LENGTH
are decimals, or whole numbers and fractions ("23 1/4", "1/8") as a plan in
inches with fractions lists them; a nearest fraction ("~23 5/16") is no position
to cut at and leaves its row unread. A group's first cut crosses the piece so
named (the sheet, strips numbered from the low edge, pieces of strips: see
listed_cuts), whose low edge must be R; its further cuts cross what the earlier
ones left of that piece. The cuts so found, in the order of their numbers, must
replay as above and be the JSON's cuts.

A plan whose settings (a stored plan's "settings") limit the stages or fix the
first cut must be cut stage by stage: after the margin trims, each cut belongs to
the earliest stage not before the one of the cut before it whose direction is its
own (stages alternate, the first along the first-cut direction when one is set,
else along the first cut's); a cut of a piece holding one part is a trim, and
trims come after every stage cut. The stages used must not pass the limit.

usage: replay_cuts.py FILE.json...
       replay_cuts.py --report REPORT.txt FILE.json [REPORT.txt FILE.json...]
       replay_cuts.py --report-folder FOLDER   (each NAME.json with NAME.txt beside it)
"""
import glob
import json
import os
import re
import sys
from fractions import Fraction


def fail(where, message):
    print(f"{where}: {message}")
    sys.exit(1)


class Stages:
    """Follows the stage of every cut of one sheet held to stages."""

    def __init__(self, where, cut_settings, sheet):
        m = cut_settings["margins"]
        self.where = where
        self.limit = cut_settings.get("stages", 0)
        first = cut_settings.get("firstCut", "any")
        # Cuts along the length run parallel to x: their slots lie across y.
        self.first = {"length": 1, "width": 0}.get(first)
        self.margin_cuts = []
        for axis, lo, hi, extent in ((0, m["left"], m["right"], sheet["length"]),
                                     (1, m["bottom"], m["top"], sheet["width"])):
            if lo > 0:
                self.margin_cuts.append((axis, lo))
            if hi > 0:
                self.margin_cuts.append((axis, extent - hi))
        self.current = 0
        self.trimmed = False

    def axis_of(self, stage):
        return self.first if stage % 2 == 1 else 1 - self.first

    def cut(self, here, n, axis, at, blade, piece_stage, parts_in_piece):
        """The stage of the cut (0 for margins and trims)."""
        if self.margin_cuts:
            want_axis, edge = self.margin_cuts[0]
            if axis == want_axis and (abs(at + blade - edge) < 1e-6 or abs(at - edge) < 1e-6):
                self.margin_cuts.pop(0)
                return 0
        # A stage cuts its strips at every line at once: between their parts and off
        # their waste, so the last cuts of a strip may leave a piece of one part.
        continuing = (self.first is not None and piece_stage == self.current > 0
                      and self.axis_of(self.current) == axis)
        if parts_in_piece <= 1 and (self.trimmed or not continuing):
            self.trimmed = True
            return 0
        if self.trimmed:
            fail(here, "a stage cut comes after the trims")
        if self.first is None:
            self.first = axis
        stage = max(self.current, piece_stage, 1)
        while self.axis_of(stage) != axis:
            stage += 1
        self.current = stage
        if self.limit and stage > self.limit:
            fail(here, f"needs stage {stage}, more than the {self.limit} allowed")
        return stage


def replay(where, sheet, blade, cut_settings=None):
    if "cuts" not in sheet:
        fail(where, "a used sheet of a guillotine plan has no cuts")
    tol = 1e-5 + 1e-6 * (abs(sheet["length"]) + abs(sheet["width"]))
    parts = [(p["x"], p["y"], p["x"] + p["length"], p["y"] + p["width"]) for p in sheet["parts"]]
    pieces = [(0.0, 0.0, sheet["length"], sheet["width"])]
    staged = None
    if cut_settings and (cut_settings.get("stages", 0) or cut_settings.get("firstCut", "any") != "any"):
        staged = Stages(where, cut_settings, sheet)
    stage_of = {pieces[0]: 0}
    for n, cut in enumerate(sheet["cuts"], 1):
        here = f"{where} cut {n}"
        a = 0 if cut["axis"] == "x" else 1  # the axis the slot lies across
        o = 1 - a
        lo, hi = cut["at"], cut["at"] + blade
        if not cut["from"] < cut["to"]:
            fail(here, "runs nowhere")
        crossed = [k for k, p in enumerate(pieces)
                   if abs(p[o] - cut["from"]) <= tol and abs(p[o + 2] - cut["to"]) <= tol
                   and lo < p[a + 2] - tol and hi > p[a] + tol]
        if len(crossed) != 1:
            fail(here, f"crosses {len(crossed)} pieces edge to edge, not one")
        piece = pieces.pop(crossed[0])
        for i, q in enumerate(parts):
            inside_run = q[o] >= cut["from"] - tol and q[o + 2] <= cut["to"] + tol
            if inside_run and q[a] < hi - tol and q[a + 2] > lo + tol:
                fail(here, f"passes through part {i + 1}")
        low, high = list(piece), list(piece)
        low[a + 2] = min(piece[a + 2], lo)
        high[a] = max(piece[a], hi)
        made = [tuple(p) for p in (low, high) if p[a + 2] - p[a] > tol]
        stage = stage_of.get(piece, 0)
        if staged:
            held = sum(1 for q in parts if q[0] >= piece[0] - tol and q[1] >= piece[1] - tol
                       and q[2] <= piece[2] + tol and q[3] <= piece[3] + tol)
            stage = staged.cut(here, n, a, cut["at"], blade, stage, held) or stage
        for p in made:
            stage_of[p] = stage
        pieces += made
    for i, q in enumerate(parts):
        home = [p for p in pieces if all(abs(p[k] - q[k]) <= tol for k in range(4))]
        if not home:
            fail(where, f"part {i + 1} is not cut free to its size")
    for p in pieces:
        held = [q for q in parts if q[0] >= p[0] - tol and q[1] >= p[1] - tol
                and q[2] <= p[2] + tol and q[3] <= p[3] + tol]
        if len(held) > 1:
            fail(where, "a final piece holds two parts")
    if sheet["cutCount"] != len(sheet["cuts"]):
        fail(where, "cutCount is not the number of cuts")
    length = sum(c["to"] - c["from"] for c in sheet["cuts"])
    if abs(sheet["cutLength"] - length) > tol * len(sheet["cuts"]) + 1e-9:
        fail(where, "cutLength is not the sum of the cut lengths")
    return len(sheet["cuts"])


LAYOUT = re.compile(r"^Layout (\d+): ")
MEASURE = r"(-?(?:\d+ \d+/\d+|\d+/\d+|[0-9.]+))"
GROUP = re.compile(r"^(.*) \(from ([xy]) = " + MEASURE + r"\):$")
ROW = re.compile(r"^([0-9][0-9,-]*)\s+(Vertical|Horizontal)\s+" + MEASURE + r"\s+" + MEASURE +
                 r"(?:\s+×(\d+))?\s*$")


def measure(text):
    """A decimal, or a whole number and a fraction: "23 1/4", "-1/8"."""
    if "/" not in text:
        return float(text)
    sign = -1 if text.startswith("-") else 1
    whole, _, fraction = text.lstrip("-").rpartition(" ")
    return sign * float(int(whole or 0) + Fraction(fraction))


def read_lists(path):
    """{layout: [(axis, reference, [(numbers, position, length)])]} of the report."""
    lists, groups, layout = {}, None, None
    with open(path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.rstrip("\r\n")
            m = LAYOUT.match(line)
            if m:
                layout = int(m.group(1))
                groups = lists.setdefault(layout, [])
                continue
            if groups is None:
                continue
            m = GROUP.search(line)
            if m:
                groups.append((0 if m.group(2) == "x" else 1, measure(m.group(3)), [],
                               m.group(1).split(", ")))
                continue
            m = ROW.match(line)
            if m:
                if not groups:
                    fail(f"{path} line {n}", "a cut before the first group heading")
                axis = 0 if m.group(2) == "Vertical" else 1
                if axis != groups[-1][0]:
                    fail(f"{path} line {n}", "a cut across the group's axis")
                numbers = []
                for run in m.group(1).split(","):
                    first, _, last = run.partition("-")
                    numbers += range(int(first), int(last or first) + 1)
                if len(numbers) != int(m.group(5) or 1):
                    fail(f"{path} line {n}", "the count is not the number of cuts listed")
                groups[-1][2].append((numbers, measure(m.group(3)), measure(m.group(4))))
    return lists


def listed_cuts(where, sheet, groups, blade):
    """The cuts of the groups as the JSON writes them, in the order of their numbers.

    Pieces are found by their names: the sheet is the piece that holds every part;
    the pieces a group of the sheet leaves that hold parts are strips 1, 2, ...
    from the low edge along the group's axis, those of strip 2's groups pieces
    2.1, 2.2, ..., and so on."""
    tol = 1e-5 + 1e-6 * (abs(sheet["length"]) + abs(sheet["width"]))
    parts = [(p["x"], p["y"], p["x"] + p["length"], p["y"] + p["width"]) for p in sheet["parts"]]

    def held(p):
        return sum(1 for q in parts if q[0] >= p[0] - tol and q[1] >= p[1] - tol
                   and q[2] <= p[2] + tol and q[3] <= p[3] + tol)

    # A piece: [rectangle, name, the group instance whose cut left it]
    pieces = [[(0.0, 0.0, sheet["length"], sheet["width"]), "Sheet", None]]
    steps = []
    for g, (axis, ref, rows, names) in enumerate(groups):
        for numbers, position, length in rows:
            if len(numbers) != len(names):
                fail(where, f"group {g + 1} names {len(names)} pieces, its cuts {len(numbers)}")
            for instance, number in enumerate(numbers):
                steps.append((number, g, instance, axis, ref + position, length, ref))
    steps.sort()

    def name_made(key, axis, parent):
        made = sorted((p for p in pieces if p[2] == key and held(p[0]) > 0), key=lambda p: p[0][axis])
        for k, p in enumerate(made, 1):
            if held(p[0]) == len(parts):
                p[1] = "Sheet"
            elif parent == "Sheet":
                p[1] = f"Strip {k}"
            else:
                p[1] = f"Piece {parent.split(' ', 1)[1]}.{k}"

    found = {}
    open_key = None  # (group, instance, axis, name of its piece)
    for number, g, instance, a, at, length, ref in steps:
        here = f"{where} listed cut {number}"
        o = 1 - a
        if number in found:
            fail(here, "is listed twice")
        key = (g, instance)
        if open_key is None or open_key[:2] != key:
            if open_key is not None:
                name_made(open_key[:2], open_key[2], open_key[3])
            name = groups[g][3][instance]
            candidates = [k for k, p in enumerate(pieces) if p[1] == name and p[2] != key]
            if len(candidates) != 1 or abs(pieces[candidates[0]][0][a] - ref) > tol:
                fail(here, f"crosses no piece of its group ({name} from {'xy'[a]} = {ref:g})")
            open_key = (g, instance, a, name)
        else:
            candidates = [k for k, p in enumerate(pieces) if p[2] == key]
        candidates = [k for k in candidates
                      if at < pieces[k][0][a + 2] - tol and at + blade > pieces[k][0][a] + tol
                      and abs(pieces[k][0][o + 2] - pieces[k][0][o] - length) <= tol]
        if len(candidates) != 1:
            fail(here, "crosses no piece of its group")
        piece = pieces.pop(candidates[0])[0]
        low, high = list(piece), list(piece)
        low[a + 2] = min(piece[a + 2], at)
        high[a] = max(piece[a], at + blade)
        pieces += [[tuple(p), None, key] for p in (low, high) if p[a + 2] - p[a] > tol]
        found[number] = {"axis": "xy"[a], "at": at, "from": piece[o], "to": piece[o + 2]}
    if sorted(found) != list(range(1, len(found) + 1)):
        fail(where, "the listed numbers are not 1 to the number of cuts")
    return [found[k] for k in sorted(found)]


def replay_report(report, path, counts):
    with open(path, encoding="utf-8") as f:
        plan = json.load(f)
    blade = plan["bladeWidth"]
    lists = read_lists(report)
    seen = set()
    for s in plan["sheets"]:
        # A layout's cuts are those of its first sheet; merged sheets repeat them.
        if not s["used"] or not s["distinct"] or s["layout"] in seen:
            continue
        seen.add(s["layout"])
        where = f"{report} layout {s['layout']}"
        if s["layout"] not in lists:
            fail(where, "has no cut list")
        groups = lists[s["layout"]]
        listed = listed_cuts(where, s, groups, blade)
        tol = 1e-5 + 1e-6 * (abs(s["length"]) + abs(s["width"]))
        if len(listed) != len(s["cuts"]):
            fail(where, f"lists {len(listed)} cuts, the plan has {len(s['cuts'])}")
        replay(where, dict(s, cuts=listed, cutLength=sum(c["to"] - c["from"] for c in listed)), blade)
        for n, (mine, theirs) in enumerate(zip(listed, s["cuts"]), 1):
            if mine["axis"] != theirs["axis"] or any(abs(mine[k] - theirs[k]) > tol
                                                     for k in ("at", "from", "to")):
                fail(where, f"cut {n} is not the plan's cut {n}")
        counts["layouts"] += 1
        counts["groups"] += len(groups)
        counts["merged"] += sum(1 for _, _, rows, _ in groups if rows and len(rows[0][0]) > 1)
        counts["cuts"] += len(listed)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--report-folder":
        pairs = []
        for plan in sorted(glob.glob(os.path.join(sys.argv[2], "*.json"))):
            if os.path.exists(plan[:-5] + ".txt"):
                pairs += [plan[:-5] + ".txt", plan]
        sys.argv[1:] = ["--report"] + pairs
    if len(sys.argv) > 1 and sys.argv[1] == "--report":
        pairs = sys.argv[2:]
        if not pairs or len(pairs) % 2:
            fail("usage", "--report takes pairs of REPORT.txt FILE.json")
        counts = dict(layouts=0, groups=0, merged=0, cuts=0)
        for k in range(0, len(pairs), 2):
            replay_report(pairs[k], pairs[k + 1], counts)
        print("layouts {layouts} groups {groups} merged {merged} cuts {cuts}".format(**counts))
        return
    sheets = cuts = 0
    for path in sys.argv[1:]:
        with open(path, encoding="utf-8") as f:
            plan = json.load(f)
        blade = plan["bladeWidth"]
        total_count = total_length = 0
        for s in plan["sheets"]:
            if not s["used"]:
                continue
            n = replay(f"{path} sheet {s['id']}", s, blade, plan.get("settings", {}).get("cut"))
            sheets += 1
            cuts += n
            total_count += n
            total_length += s["cutLength"]
        if plan["cutCount"] != total_count or abs(plan["cutLength"] - total_length) > 1e-6 * (1 + total_length):
            fail(path, "the plan's totals are not those of its sheets")
    print(f"sheets {sheets} cuts {cuts}")


main()
