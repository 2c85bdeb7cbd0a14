"""Reads a DXF drawing the way a CAD user's tools do and prints what it holds as JSON:
version, audit errors and fixes, entities per layer, the texts and the
polylines with their points."""
import collections
import json
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
layers = collections.Counter()
texts = []
polylines = []
for e in doc.modelspace():
    layers[e.dxf.layer] += 1
    if e.dxftype() == "TEXT":
        p = e.dxf.insert
        texts.append({"layer": e.dxf.layer, "text": e.dxf.text, "x": p[0], "y": p[1]})
    elif e.dxftype() == "POLYLINE":
        polylines.append({
            "layer": e.dxf.layer,
            "color": e.dxf.get("color", 256),
            "closed": e.is_closed,
            "points": [[v.dxf.location[0], v.dxf.location[1]] for v in e.vertices],
        })
print(json.dumps({
    "version": doc.dxfversion,
    "errors": len(auditor.errors),
    "fixes": len(auditor.fixes),
    "layers": layers,
    "texts": texts,
    "polylines": polylines,
}))
