#!/usr/bin/python3
"""Reads an exported table back with readers that are not ours and prints
what they see as JSON, for the tests.

usage: readback.py FILE   (the kind from the extension: .xlsx .csv .html)
       readback.py --heads N FILE.xlsx
                         {"sheets": [{"name", "maxRow", "rows": the first N rows' values}]},
                         read lazily, for workbooks too large to read whole

  xlsx  (openpyxl)   {"sheets": [{"name", "rows": [[cell...]], "merged": ["B1:D1"],
                     "widths": {"A": 12.0}}]}; a cell is null or
                     {"v": value, "t": openpyxl's data type, "f": number format,
                     "bold": bool, "align": horizontal alignment or null};
                     date-times as ISO text ("2024-03-01T00:00:00")
  csv   (csv module) {"rows": [[text...]], "bom": bool, "crlf": bool (every
                     record ends with CRLF)}
  html  (html.parser) {"title", "rows": [{"section": "thead|tbody|tfoot",
                     "cells": [{"tag", "text", "colspan", "class"}]}], "cols": n}
"""
import csv
import datetime
import html.parser
import io
import json
import sys


def xlsx(path):
    import openpyxl
    book = openpyxl.load_workbook(path)
    sheets = []
    for sheet in book.worksheets:
        rows = []
        for row in sheet.iter_rows():
            cells = []
            for cell in row:
                if cell.value is None:
                    cells.append(None)
                    continue
                value = cell.value
                if isinstance(value, (datetime.datetime, datetime.date, datetime.time)):
                    value = value.isoformat()
                cells.append({"v": value, "t": cell.data_type, "f": cell.number_format,
                              "bold": bool(cell.font and cell.font.b),
                              "align": cell.alignment.horizontal if cell.alignment else None})
            rows.append(cells)
        widths = {key: dim.width for key, dim in sheet.column_dimensions.items() if dim.width}
        sheets.append({"name": sheet.title, "rows": rows,
                       "merged": sorted(str(r) for r in sheet.merged_cells.ranges), "widths": widths})
    return {"sheets": sheets}


def csv_file(path):
    data = open(path, "rb").read()
    bom = data.startswith(b"\xef\xbb\xbf")
    text = data.decode("utf-8-sig")
    rows = list(csv.reader(io.StringIO(text, newline="")))
    return {"rows": rows, "bom": bom, "crlf": records_end_in_crlf(text)}


def records_end_in_crlf(text):
    """Every line break outside quoted fields is CR LF, and the last record has one."""
    quoted = False
    for i, c in enumerate(text):
        if c == '"':
            quoted = not quoted
        elif not quoted and c == "\n" and (i == 0 or text[i - 1] != "\r"):
            return False
        elif not quoted and c == "\r" and text[i + 1:i + 2] != "\n":
            return False
    return text.endswith("\r\n")


class TableParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.title, self.rows, self.cols = "", [], 0
        self.section, self.cell, self.in_title = "tbody", None, False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "title":
            self.in_title = True
        elif tag in ("thead", "tbody", "tfoot"):
            self.section = tag
        elif tag == "col":
            self.cols += 1
        elif tag == "tr":
            self.rows.append({"section": self.section, "cells": []})
        elif tag in ("td", "th"):
            self.cell = {"tag": tag, "text": "", "colspan": int(attrs.get("colspan", 1)),
                         "class": attrs.get("class", "")}
        elif tag == "br" and self.cell is not None:
            self.cell["text"] += "\n"

    def handle_endtag(self, tag):
        if tag == "title":
            self.in_title = False
        elif tag in ("td", "th") and self.cell is not None:
            self.rows[-1]["cells"].append(self.cell)
            self.cell = None
        elif tag in ("thead", "tfoot"):
            self.section = "tbody"

    def handle_data(self, data):
        if self.in_title:
            self.title += data
        elif self.cell is not None:
            self.cell["text"] += data


def html_file(path):
    parser = TableParser()
    parser.feed(open(path, encoding="utf-8").read())
    parser.close()
    return {"title": parser.title, "rows": parser.rows, "cols": parser.cols}


def xlsx_heads(path, count):
    import openpyxl
    book = openpyxl.load_workbook(path, read_only=True)
    sheets = []
    for sheet in book.worksheets:
        rows = [list(row) for row in sheet.iter_rows(max_row=count, values_only=True)]
        sheets.append({"name": sheet.title, "maxRow": sheet.max_row, "rows": rows})
    return {"sheets": sheets}


def main():
    if sys.argv[1] == "--heads":
        json.dump(xlsx_heads(sys.argv[3], int(sys.argv[2])), sys.stdout, ensure_ascii=False, default=str)
        return
    path = sys.argv[1]
    kind = path.rsplit(".", 1)[-1].lower()
    reader = {"xlsx": xlsx, "csv": csv_file, "html": html_file, "htm": html_file}[kind]
    json.dump(reader(path), sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
