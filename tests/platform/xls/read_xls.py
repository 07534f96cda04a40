"""Reads a workbook with xlrd and prints what a test needs as JSON.

Usage: read_xls.py FILE [--digest]
Without --digest every non-empty cell is listed as [row, column, type, value, bold].
With --digest each sheet gives its cell count and the SHA-1 of its texts in row-major order,
each text followed by a NUL, so large workbooks need not cross the pipe.
"""
import hashlib
import io
import json
import sys

import xlrd


def main():
    path = sys.argv[1]
    digest = "--digest" in sys.argv[2:]
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, verbosity=1, logfile=log)
    problems = [line for line in log.getvalue().splitlines()
                if "WARNING" in line or "NOTE" in line or "***" in line]
    sheets = []
    for sheet in book.sheets():
        entry = {"name": sheet.name, "nrows": sheet.nrows, "ncols": sheet.ncols}
        cells = []
        hasher = hashlib.sha1()
        count = 0
        for row in range(sheet.nrows):
            for column in range(sheet.row_len(row)):
                cell = sheet.cell(row, column)
                if cell.ctype == xlrd.XL_CELL_EMPTY:
                    continue
                count += 1
                if digest:
                    hasher.update(cell.value.encode("utf-8") + b"\0")
                    continue
                font = book.font_list[book.xf_list[cell.xf_index].font_index]
                cells.append([row, column, cell.ctype, cell.value, bool(font.bold and font.weight == 700)])
        if digest:
            entry["count"] = count
            entry["sha1"] = hasher.hexdigest()
        else:
            entry["cells"] = cells
        sheets.append(entry)
    json.dump({"problems": problems, "sheets": sheets}, sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
