#!/usr/bin/env python3
"""Writes openpyxl.xlsx: a workbook made by another spreadsheet writer than ours.

Run once by hand (needs python3-openpyxl); the tests only read the committed result.
openpyxl writes every text as an inline string, so some of them are moved into a
shared string table afterwards, one of them as rich text with a phonetic hint, the
way Excel stores them. Dates inside the archive are fixed so a re-run gives the same
content.
"""
import html
import io
import re
import sys
import zipfile
from pathlib import Path

import openpyxl

SHEET = "Nachtstart Brötchen"
FIXED = "2024-01-01T00:00:00Z"
MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
SST_TYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings"
SST_CONTENT = "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"


def build_workbook():
    wb = openpyxl.Workbook()
    ws = wb.active
    ws.title = SHEET
    ws["A1"] = "Programm"
    ws["B1"] = "Temperatur"
    ws["C1"] = "Zeit"
    ws["A2"] = "Weißbrot"
    ws["B2"] = 230
    ws["C2"] = 45.5
    ws["D2"] = True
    # row 3 left empty
    ws["A4"] = "Brötchen äöüß"  # stays an inline string
    ws["C4"] = -12.25
    ws["A5"] = "007"
    ws["B5"] = "RICH"  # becomes a rich text shared string
    ws["D5"] = "Weißbrot"  # same shared string as A2
    ws["E7"] = 0.001
    ws["F7"] = "=B2*2"  # formula without a cached value: an empty cell
    ws["AB12"] = 12
    ws.page_setup.orientation = "landscape"
    ws.page_setup.scale = 80
    ws.print_area = "A1:C4"
    ws.print_options.headings = True
    out = io.BytesIO()
    wb.save(out)
    return out.getvalue()


def xml_escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def move_to_shared(sheet_xml):
    plain = ["Programm", "Temperatur", "Zeit", "Weißbrot", "007"]
    items = ["<si><t>%s</t></si>" % xml_escape(t) for t in plain]
    items.append('<si><r><rPr><b/></rPr><t>Roggen</t></r><r><t xml:space="preserve">mischbrot </t></r>'
                 '<rPh sb="0" eb="6"><t>ろっげん</t></rPh><phoneticPr fontId="1"/></si>')
    index = {t: i for i, t in enumerate(plain)}
    index["RICH"] = len(plain)
    uses = 0

    def shared(match):
        nonlocal uses
        ref, text = match.group(1), html.unescape(match.group(2))
        if ref == "A4":
            return match.group(0)
        uses += 1
        return '<c r="%s" t="s"><v>%d</v></c>' % (ref, index[text])

    sheet_xml = re.sub(r'<c r="([A-Z]+[0-9]+)" t="inlineStr"><is><t>([^<]*)</t></is></c>', shared, sheet_xml)
    sst = '<sst xmlns="%s" count="%d" uniqueCount="%d">%s</sst>' % (MAIN_NS, uses, len(items), "".join(items))
    return sheet_xml, sst


def main():
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("openpyxl.xlsx")
    source = zipfile.ZipFile(io.BytesIO(build_workbook()))
    parts = {name: source.read(name).decode("utf-8") for name in source.namelist()}

    sheet, sst = move_to_shared(parts["xl/worksheets/sheet1.xml"])
    parts["xl/worksheets/sheet1.xml"] = sheet
    parts["xl/sharedStrings.xml"] = sst
    parts["xl/_rels/workbook.xml.rels"] = parts["xl/_rels/workbook.xml.rels"].replace(
        "</Relationships>",
        '<Relationship Type="%s" Target="sharedStrings.xml" Id="rId9"/></Relationships>' % SST_TYPE)
    parts["[Content_Types].xml"] = parts["[Content_Types].xml"].replace(
        "</Types>", '<Override PartName="/xl/sharedStrings.xml" ContentType="%s"/></Types>' % SST_CONTENT)
    parts["docProps/core.xml"] = re.sub(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ", FIXED, parts["docProps/core.xml"])

    with zipfile.ZipFile(target, "w") as out:
        for name, text in parts.items():
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            out.writestr(info, text.encode("utf-8"))


if __name__ == "__main__":
    main()
