"""Writes the workbooks the spreadsheet tests read, with independent writers:
xlwt (.xls), openpyxl (.xlsx, inline strings) and xlsxwriter (.xlsx, shared strings).
Usage: make_workbooks.py OUTPUT_FOLDER
"""
import os
import shutil
import struct
import sys
import zipfile

import olefile
import openpyxl
import xlsxwriter
import xlwt

out = sys.argv[1]

# Rows as (row number from 1, [values of A..E]); None leaves a cell empty. Numbers
# are stored as numbers, strings as text (so "2440" is a number typed as text).
SHEETS = [
    (1, ["Label", "Length", "Width", "Quant", "Cost"]),
    (3, ["Birch 桦木", 2440, 1220, 3, 125.5]),
    (4, ["松木板", "2440", "1220", "2", "80"]),
    (5, ["NoCost", 1000, 500, 2, None]),
    (6, ["NoWidth", 1000, None, 2, 10]),
    (7, [None, 1000, 500, 2, 10]),
    (8, ["Frac", 1200.5, 600.25, 1, 0.1]),
    (9, ["BadQty", 1000, 500, 2.5, 10]),
    (10, ["BadLen", "1,000", 500, 1, 10]),
]

PARTS = [
    (1, ["Label", "Length", "Width", "Quant", "Rotatable"]),
    (2, ["Side 侧板", 720, 560, 3, "no"]),
    (3, ["Top", 800, 600, "NO", 3]),
    (4, ["Shelf", 500, 400, None, 4]),
    (5, ["Door 门", 700, 400, 2, "否"]),
    (6, ["Back", 700, 400, 1, "Y"]),
    (7, ["Bad", 700, 400, "x", "y"]),
    (8, ["Leg", 100, 50, "4", "N"]),
    (10, ["Half", 700, 400, 2.5, "no"]),
    (11, ["Edge", 300, 200, 5, None]),
]

# The material in F, a sheet's grain in G; a grain that is no direction stops the reading.
MATERIAL_SHEETS = [
    (1, ["Label", "Length", "Width", "Quant", "Cost", "Material", "Grain"]),
    (2, ["Birch", 2440, 1220, 3, 10, "Birch 18 桦木", "width"]),
    (3, ["Plain", 2000, 1000, 1, 5]),
    (4, ["Veneer", 2500, 1250, 2, 9, None, "none"]),
    (5, ["Bad", 1000, 500, 1, 1, "Oak", "diagonal"]),
    (6, ["After", 1000, 500, 1, 1, "Oak", "length"]),
]
MATERIAL_PARTS = [
    (1, ["Side", 720, 560, 2, "no", "Birch 18 桦木", "ABS 2mm", None, " 封边 ", None]),
    (2, ["Top", 800, 600, "yes", 1]),
]

# Twelve entries in A1:E12 and nothing else.
TWELVE = [(i, ["P%d" % i, 100 * i, 10 * i, i, None]) for i in range(1, 13)]

# An entry far below a long run of empty rows.
SPARSE = [(1, ["First", 100, 50, 1, "no"]), (500, ["Far", 200, 60, 2, "no"])]

# Cell texts: number forms and blanks.
NUMBERS = [(1, [1e-07, 0.1 + 0.2, 1e15, 1200.0, -3]), (2, [" ", "  x ", True, None, "=1+1"])]


def write_xls(path, rows, sheet_name="S1", extra_sheet=None):
    book = xlwt.Workbook(encoding="utf-8")
    for name, content in [(sheet_name, rows)] + ([extra_sheet] if extra_sheet else []):
        sheet = book.add_sheet(name)
        for r, values in content:
            for c, v in enumerate(values):
                if v is not None and not (isinstance(v, str) and v.startswith("=")):
                    sheet.write(r - 1, c, v)
    book.save(path)


def write_openpyxl(path, rows, extra_sheet=None, active=0):
    book = openpyxl.Workbook()
    sheet = book.active
    for r, values in rows:
        for c, v in enumerate(values):
            if v is not None and not (isinstance(v, str) and v.startswith("=")):
                sheet.cell(row=r, column=c + 1, value=v)
    if extra_sheet:
        other = book.create_sheet(extra_sheet[0])
        for r, values in extra_sheet[1]:
            for c, v in enumerate(values):
                if v is not None:
                    other.cell(row=r, column=c + 1, value=v)
    book.active = active
    book.save(path)


def write_xlsxwriter(path, rows, rich=False):
    book = xlsxwriter.Workbook(path, {"strings_to_numbers": False})
    sheet = book.add_worksheet()
    for r, values in rows:
        for c, v in enumerate(values):
            if v is None:
                continue
            if isinstance(v, str) and v.startswith("="):
                sheet.write_formula(r - 1, c, v, None, "2")
            elif isinstance(v, str):
                sheet.write_string(r - 1, c, v)
            else:
                sheet.write(r - 1, c, v)
    if rich:
        bold = book.add_format({"bold": True})
        sheet.write_rich_string(2, 0, "Rich ", bold, "bold", " tail")
    book.close()


for name, rows in [("sheets", SHEETS), ("parts", PARTS), ("twelve", TWELVE), ("sparse", SPARSE),
                   ("material-sheets", MATERIAL_SHEETS), ("material-parts", MATERIAL_PARTS)]:
    write_xls(os.path.join(out, name + ".xls"), rows)
    write_openpyxl(os.path.join(out, name + "-inline.xlsx"), rows)
    write_xlsxwriter(os.path.join(out, name + "-shared.xlsx"), rows)
write_xls(os.path.join(out, "numbers.xls"), NUMBERS)
write_openpyxl(os.path.join(out, "numbers-inline.xlsx"), NUMBERS)
write_xlsxwriter(os.path.join(out, "numbers-shared.xlsx"), NUMBERS, rich=True)

# Two sheets, the second one active when saved.
SECOND = ("Second", [(1, ["Second sheet", 10, 10, 1, "no"])])
write_openpyxl(os.path.join(out, "active-second.xlsx"), TWELVE, SECOND, active=1)
write_xls(os.path.join(out, "two-sheets.xls"), TWELVE, extra_sheet=SECOND)


def rewrite_zip(source, target, change):
    with zipfile.ZipFile(source) as src, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            dst.writestr(item.filename, change(item.filename, src.read(item.filename)))


# Absolute targets in the workbook relationships, as some writers make them.
rewrite_zip(os.path.join(out, "parts-shared.xlsx"), os.path.join(out, "parts-absolute.xlsx"),
            lambda name, data: data.replace(b'Target="worksheets/', b'Target="/xl/worksheets/')
            .replace(b'Target="sharedStrings', b'Target="/xl/sharedStrings')
            if name == "xl/_rels/workbook.xml.rels" else data)

# A hand-made package: prefixed element names, rows and cells without references,
# a phonetic run that is not part of the text.
PREFIXED_SHEET = b"""<?xml version="1.0" encoding="UTF-8"?>
<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:sheetData>
<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c><x:v>720</x:v></x:c><x:c><x:v>560</x:v></x:c>
<x:c><x:v>2</x:v></x:c><x:c t="inlineStr"><x:is><x:t>no</x:t></x:is></x:c></x:row>
<x:row><x:c r="A3" t="s"><x:v>1</x:v></x:c><x:c r="B3"><x:v>1E-07</x:v></x:c></x:row>
</x:sheetData></x:worksheet>"""
PREFIXED_STRINGS = """<?xml version="1.0" encoding="UTF-8"?>
<x:sst xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:si><x:r><x:t>漢字</x:t></x:r><x:r><x:t xml:space="preserve"> part</x:t></x:r>
<x:rPh sb="0" eb="2"><x:t>かんじ</x:t></x:rPh></x:si>
<x:si><x:t>third</x:t></x:si></x:sst>""".encode("utf-8")
PREFIXED_BOOK = b"""<?xml version="1.0" encoding="UTF-8"?>
<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main"
 xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<x:sheets><x:sheet name="Data" sheetId="1" r:id="rId7"/></x:sheets></x:workbook>"""
PREFIXED_BOOK_RELS = b"""<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="../data/sheet.xml"/>
<Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="./strings.xml"/>
</Relationships>"""
PACKAGE_RELS = b"""<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="r1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="book/main.xml"/>
</Relationships>"""
with zipfile.ZipFile(os.path.join(out, "prefixed.xlsx"), "w") as z:
    z.writestr("_rels/.rels", PACKAGE_RELS)
    z.writestr("book/main.xml", PREFIXED_BOOK)
    z.writestr("book/_rels/main.xml.rels", PREFIXED_BOOK_RELS)
    z.writestr("book/strings.xml", PREFIXED_STRINGS)
    z.writestr("data/sheet.xml", PREFIXED_SHEET)

# Files that are not (whole) workbooks.
with open(os.path.join(out, "text.xls"), "w") as f:
    f.write("Birch\t2440\t1220\t3\r\n")
open(os.path.join(out, "empty.xls"), "w").close()
for name in ["parts.xls", "parts-shared.xlsx"]:
    data = open(os.path.join(out, name), "rb").read()
    stem, ext = os.path.splitext(name)
    with open(os.path.join(out, stem + "-truncated" + ext), "wb") as f:
        f.write(data[: len(data) // 2])
with zipfile.ZipFile(os.path.join(out, "plain.xlsx"), "w") as z:
    z.writestr("readme.txt", "not a workbook")


# A sheet part whose compressed bytes are damaged: the archive opens, the part fails.
def damage_member(source, target, member):
    data = bytearray(open(source, "rb").read())
    with zipfile.ZipFile(source) as z:
        info = z.getinfo(member)
    name_len, extra_len = struct.unpack_from("<HH", data, info.header_offset + 26)
    start = info.header_offset + 30 + name_len + extra_len
    for i in range(start + 2, start + min(info.compress_size, 40)):
        data[i] ^= 0x5A
    open(target, "wb").write(bytes(data))


damage_member(os.path.join(out, "parts-shared.xlsx"), os.path.join(out, "damaged.xlsx"),
              "xl/worksheets/sheet1.xml")


# Intact compressed bytes, but the checksum in both headers does not match them.
def wrong_checksum(source, target, member):
    data = bytearray(open(source, "rb").read())
    with zipfile.ZipFile(source) as z:
        info = z.getinfo(member)
    struct.pack_into("<I", data, info.header_offset + 14, info.CRC ^ 1)
    eocd = data.rfind(b"PK\x05\x06")
    count, _, entry = struct.unpack_from("<HII", data, eocd + 10)
    for _ in range(count):
        name_len, extra_len, comment_len = struct.unpack_from("<HHH", data, entry + 28)
        if struct.unpack_from("<I", data, entry + 42)[0] == info.header_offset:
            struct.pack_into("<I", data, entry + 16, info.CRC ^ 1)
        entry += 46 + name_len + extra_len + comment_len
    open(target, "wb").write(bytes(data))


wrong_checksum(os.path.join(out, "parts-shared.xlsx"), os.path.join(out, "badcrc.xlsx"),
               "xl/worksheets/sheet1.xml")

# An .xls whose workbook stream announces encryption (a FILEPASS record in place of the
# records after BOF, same stream length).
shutil.copy(os.path.join(out, "parts.xls"), os.path.join(out, "encrypted.xls"))
ole = olefile.OleFileIO(os.path.join(out, "encrypted.xls"), write_mode=True)
stream = bytearray(ole.openstream("Workbook").read())
bof_end = 4 + struct.unpack_from("<HH", stream, 0)[1]
pos = bof_end
while pos - bof_end < 80:
    pos += 4 + struct.unpack_from("<HH", stream, pos)[1]
filepass = struct.pack("<HHHHH", 0x2F, 54, 1, 1, 1) + bytes(48)
filler_len = pos - bof_end - len(filepass) - 4
stream[bof_end:pos] = filepass + struct.pack("<HH", 0x5C, filler_len) + b" " * filler_len
ole.write_stream("Workbook", bytes(stream))
ole.close()

# A password-protected .xlsx is a compound document holding "EncryptedPackage" instead
# of "Workbook": rename the stream in the directory of a copy.
data = bytearray(open(os.path.join(out, "parts.xls"), "rb").read())
old = "Workbook".encode("utf-16-le") + b"\0\0"
new = "EncryptedPackage".encode("utf-16-le") + b"\0\0"
at = data.find(old)
data[at : at + len(new)] = new
struct.pack_into("<H", data, at + 64, len(new))
open(os.path.join(out, "encrypted-package.xlsx"), "wb").write(bytes(data))


# Packages whose one long shared string stands in many cells: a few kilobytes of
# file for gigabytes of cell text if every cell had its own copy.
def write_repeated_string(path, text, cells):
    ns = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    rows = "".join('<row r="%d"><c r="A%d" t="s"><v>0</v></c></row>' % (r, r)
                   for r in range(1, cells + 1))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("_rels/.rels", '<Relationships><Relationship Id="r1" Type="%sofficeDocument"'
                   ' Target="xl/workbook.xml"/></Relationships>' % rel)
        z.writestr("xl/workbook.xml", '<workbook %s xmlns:r="%s"><sheets><sheet name="S"'
                   ' sheetId="1" r:id="s1"/></sheets></workbook>' % (ns, rel[:-1]))
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships><Relationship Id="s1" Type="%sworksheet"'
                   ' Target="worksheets/sheet1.xml"/><Relationship Id="s2"'
                   ' Type="%ssharedStrings" Target="sharedStrings.xml"/></Relationships>'
                   % (rel, rel))
        z.writestr("xl/sharedStrings.xml", "<sst %s><si><t>%s</t></si></sst>" % (ns, text))
        z.writestr("xl/worksheets/sheet1.xml",
                   "<worksheet %s><sheetData>%s</sheetData></worksheet>" % (ns, rows))


write_repeated_string(os.path.join(out, "amplifying.xlsx"), "x" * (32 << 20), 14000)
write_repeated_string(os.path.join(out, "repeated.xlsx"), "y" * (1 << 20), 40)
