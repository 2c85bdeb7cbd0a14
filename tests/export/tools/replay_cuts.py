#!/usr/bin/python3
"""Replays the saw cuts of result JSON files against their parts.

Every used sheet of a guillotine plan is cut in the order of its "cuts": each cut
must run edge to edge across exactly one current piece and touch no part; at the
end no piece may hold two parts and every part must lie alone in a piece of its
own size. cutCount and cutLength must agree with the cuts, and the plan's totals
with its sheets. A slot is the plan's bladeWidth wide. Prints "sheets S cuts C"
for all files; exits 1 on the first fault.

A plan whose settings (a stored plan's "settings") limit the stages or fix the
first cut must be cut stage by stage: after the margin trims, each cut belongs to
the earliest stage not before the one of the cut before it whose direction is its
own (stages alternate, the first along the first-cut direction when one is set,
else along the first cut's); a cut of a piece holding one part is a trim, and
trims come after every stage cut. The stages used must not pass the limit.

usage: replay_cuts.py FILE.json...
"""
import json
import sys


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


def main():
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
