#!/usr/bin/env python3
"""Exports the sample library plus files with awkward names and tags as JSON Lines and as CSV,
reads every JSON line with Python's parser, opens the CSV in LibreOffice Calc (headless, saved
as a flat ODF spreadsheet) and checks what Calc made of it: one row a file with every field in
its column, names holding commas, quotes and line breaks intact, a title "=1+1" kept as text
rather than computed, and links that lead to their files."""
import argparse
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import urllib.parse
import xml.etree.ElementTree as ET

SKIP = 77
FIELDS = ["folder", "file", "artist", "title", "album", "year", "track", "genre", "album_artist", "length_s",
          "size_bytes", "bitrate_kbps", "sample_rate_hz", "channels", "vbr", "link"]
NUMBERS = {"length_s", "size_bytes", "bitrate_kbps", "sample_rate_hz"}


def text_frame(frame_id, text):
    content = b"\x01\xff\xfe" + text.encode("utf-16-le")
    return frame_id.encode() + struct.pack(">I", len(content)) + b"\0\0" + content


def id3v2(frames):
    body = b"".join(frames) + b"\0" * 32
    n = len(body)
    return b"ID3\x03\x00\x00" + bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F]) + body


def calc_rows(fods):
    """The cells' texts of the first sheet, row by row, as Calc shows them; with each cell's type."""
    ns = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
          "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
          "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}
    q = lambda prefix, name: "{%s}%s" % (ns[prefix], name)
    table = ET.parse(fods).getroot().find(".//table:table", ns)
    rows = []
    for row in table.iter(q("table", "table-row")):
        cells = []
        for cell in row:
            if cell.tag not in (q("table", "table-cell"), q("table", "covered-table-cell")):
                continue
            repeat = int(cell.get(q("table", "number-columns-repeated"), "1"))
            paragraphs = ["".join(p.itertext()) for p in cell.findall("text:p", ns)]
            value = ("\n".join(paragraphs), cell.get(q("office", "value-type")), cell.get(q("table", "formula")))
            cells.extend([value] * min(repeat, 64))
        while cells and cells[-1][0] == "" and cells[-1][1] is None:
            cells.pop()
        rows.append(cells)
    while rows and not rows[-1]:
        rows.pop()
    return rows


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--samples", required=True)
    args = ap.parse_args()
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        print("LibreOffice is not installed; skipping")
        return SKIP

    work = tempfile.mkdtemp(prefix="tunesheet-export-")
    try:
        library = os.path.join(work, "library")
        shutil.copytree(args.samples, library, ignore=shutil.ignore_patterns("*.md"))
        with open(os.path.join(args.samples, "Rock", "01 First Light.mp3"), "rb") as f:
            audio = f.read()
        audio = audio[audio.find(b"\xff\xfb"):-128]
        odd = os.path.join(library, 'Odd, "quoted"')
        os.makedirs(odd)
        made = {
            'a, "b"\nc.mp3': id3v2([text_frame("TIT2", "=1+1"), text_frame("TPE1", "-Minus, plus")]) + audio,
            "=cmd.mp3": id3v2([text_frame("TIT2", 'two\r\nlines "quoted"'), text_frame("TCON", "(17)")]) + audio,
            "noise.mp3": b"\0" * 4000,
        }
        made[b"Caf\xe9.mp3"] = audio
        for name, data in made.items():
            path = os.path.join(os.fsencode(odd), name) if isinstance(name, bytes) else os.path.join(odd, name)
            with open(path, "wb") as f:
                f.write(data)
        mp3s = sorted(os.path.join(d, f) for d, _, files in os.walk(os.fsencode(library)) for f in files
                      if f.lower().endswith(b".mp3"))

        out = os.path.join(work, "out")
        os.makedirs(out)
        failures = []
        objects = []
        jsonl = os.path.join(out, "list.jsonl")
        subprocess.run([args.cli, "--quiet", "--subdirs", library, jsonl], check=True)
        with open(jsonl, "rb") as f:
            data = f.read()
        if not data.endswith(b"\n") or b"\r" in data:
            failures.append("JSON Lines must end every object with LF alone")
        for number, line in enumerate(data.split(b"\n")[:-1], 1):
            try:
                obj = json.loads(line.decode("utf-8"))
            except ValueError as e:
                failures.append("line %d is no JSON object: %s" % (number, e))
                continue
            if list(obj) != FIELDS:
                failures.append("line %d has the fields %r" % (number, list(obj)))
            objects.append(obj)
        if len(objects) != len(mp3s):
            failures.append("%d JSON lines for %d files" % (len(objects), len(mp3s)))
        linked = sorted(os.path.normpath(os.path.join(os.fsencode(out), urllib.parse.unquote_to_bytes(o["link"])))
                        for o in objects)
        if linked != sorted(os.path.normpath(p) for p in mp3s):
            failures.append("links %r do not lead to the files" % linked)

        csv = os.path.join(out, "list.csv")
        subprocess.run([args.cli, "--quiet", "--subdirs", library, csv], check=True)
        profile = "file://" + os.path.join(work, "profile")
        subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless", "--infilter=CSV:44,34,76,1",
                        "--convert-to", "fods", "--outdir", out, csv], check=True, capture_output=True, timeout=300)
        rows = calc_rows(os.path.join(out, "list.fods"))
        if not rows or [c[0] for c in rows[0]] != FIELDS:
            failures.append("header row %r" % (rows[:1],))
        rows = rows[1:]
        if len(rows) != len(objects):
            failures.append("%d spreadsheet rows for %d JSON lines" % (len(rows), len(objects)))
        for obj, row in zip(objects, rows):
            row = row + [("", None, None)] * (len(FIELDS) - len(row))
            if len(row) != len(FIELDS):
                failures.append("row of %d cells: %r" % (len(row), row))
                continue
            for name, (shown, kind, formula) in zip(FIELDS, row):
                value = obj[name]
                if formula:
                    failures.append("%s %r became the formula %r" % (name, value, formula))
                if value is None or value == "":
                    expected = ""
                elif isinstance(value, bool):
                    expected = "1" if value else "0"
                elif name in NUMBERS:
                    expected = str(value)
                else:
                    expected = ("'" if value[0] in "=+-@\t\r" else "") + value.replace("\r\n", "\n").replace("\r", "\n")
                if shown != expected:
                    failures.append("%s: Calc shows %r where the JSON line has %r" % (name, shown, value))
        titles = [o["title"] for o in objects]
        for expected in ("=1+1", 'two\r\nlines "quoted"'):
            if expected not in titles:
                failures.append("title %r missing from %r" % (expected, titles))
        if not any(o["file"] == 'a, "b"\nc.mp3' and o["folder"] == 'Odd, "quoted"' for o in objects):
            failures.append("the name with a comma, quotes and a line break is not intact")
        if not any(o["file"] == "Café.mp3" for o in objects):
            failures.append("the ISO-8859-1 name is not decoded")

        for f in failures:
            print("FAIL:", f)
        print("%d files, %d JSON lines, %d spreadsheet rows checked" % (len(mp3s), len(objects), len(rows)))
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
