#!/usr/bin/env python3
"""Generates a page over the sample library plus files with awkward tags and names, loads it
in headless Chromium and checks what the browser made of it: the rows and cells, the accented
titles and names (one of them not UTF-8), that no element came from a tag, and that every link
leads to its file."""
import argparse
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import urllib.parse

SKIP = 77


def id3v2(frames):
    body = b"".join(frames) + b"\0" * 32
    n = len(body)
    size = bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
    return b"ID3\x03\x00\x00" + size + body


def text_frame(frame_id, text, encoding):
    if encoding == 1:
        payload = b"\xff\xfe" + text.encode("utf-16-le") + b"\0\0"
    elif encoding == 3:
        payload = text.encode("utf-8")
    else:
        payload = text.encode("latin-1")
    content = bytes([encoding]) + payload
    return frame_id.encode() + struct.pack(">I", len(content)) + b"\0\0" + content


def id3v1(title="", artist=""):
    def field(s, n):
        return s.encode("latin-1")[:n].ljust(n, b"\0")
    return b"TAG" + field(title, 30) + field(artist, 30) + field("", 30) + field("2020", 4) + field("", 30) + b"\xff"


class Dom(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.elements = []      # every start tag seen
        self.rows = []          # data rows: list of cell texts
        self.links = []         # href values
        self.cell = None

    def handle_starttag(self, tag, attrs):
        self.elements.append(tag)
        if tag == "tr":
            self.rows.append([])
        elif tag == "td":
            self.cell = ""
        elif tag == "a":
            self.links.append(dict(attrs).get("href"))

    def handle_endtag(self, tag):
        if tag == "td" and self.cell is not None:
            self.rows[-1].append(self.cell.replace("\xa0", " ").strip())
            self.cell = None

    def handle_data(self, data):
        if self.cell is not None:
            self.cell += data


def names_a_file(shown):
    """A full path as the page shows it: itself, or the ISO-8859-1 reading of a path that is not UTF-8."""
    if os.path.isfile(shown):
        return True
    try:
        return os.path.isfile(shown.encode("latin-1"))
    except UnicodeEncodeError:
        return False


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", required=True)
    ap.add_argument("--samples", required=True)
    args = ap.parse_args()

    chromium = find_chromium()
    if not chromium:
        print("chromium is not installed; skipping")
        return SKIP

    work = tempfile.mkdtemp(prefix="tunesheet-browser-")
    try:
        library = os.path.join(work, "library")
        shutil.copytree(args.samples, library, ignore=shutil.ignore_patterns("*.md"))
        with open(os.path.join(args.samples, "Rock", "01 First Light.mp3"), "rb") as f:
            audio = f.read()
        audio = audio[audio.find(b"\xff\xfb"):-128]  # the frames alone
        odd = os.path.join(library, "Odd <names> & tags")
        os.makedirs(odd)
        made = {
            "Track #1 100% done.mp3": id3v2([text_frame("TIT2", "<script>document.title='x'</script>", 0),
                                             text_frame("TPE1", 'Tom & "Jerry" <b>bold</b>', 0)]) + audio,
            "utf16.mp3": id3v2([text_frame("TIT2", "Čierna káva", 1), text_frame("TPE1", "Ľudová hudba", 1)]) + audio,
            "latin1 ?.mp3": audio + id3v1(title="Café crème", artist="Zoë"),
        }
        # A name in ISO-8859-1, as older tools and file systems leave them.
        made[b"Caf\xe9 cr\xe8me.mp3"] = audio
        for name, data in made.items():
            path = os.path.join(os.fsencode(odd), name) if isinstance(name, bytes) else os.path.join(odd, name)
            with open(path, "wb") as f:
                f.write(data)

        page = os.path.join(work, "page.htm")
        subprocess.run([args.cli, "--subdirs", "--dir-captions", "--tag-priority", "v2", "--links",
                        "artist,title,filename", "--full-path", "--title", "<i>Browser</i> & test",
                        library, page], check=True)

        profile = os.path.join(work, "profile")
        dom_text = subprocess.run(
            [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
             "--no-first-run", "--disable-component-update", "--disable-sync", "--user-data-dir=" + profile,
             "--dump-dom", "file://" + urllib.parse.quote(page)],
            check=True, capture_output=True, timeout=120).stdout.decode("utf-8")

        dom = Dom()
        dom.feed(dom_text)
        failures = []
        mp3s = [os.path.join(d, f) for d, _, files in os.walk(library) for f in files if f.lower().endswith(".mp3")]
        data_rows = [r for r in dom.rows if r]
        if len(data_rows) != len(mp3s):
            failures.append("%d data rows for %d files" % (len(data_rows), len(mp3s)))
        for row in data_rows:
            if len(row) != 7:
                failures.append("row with %d cells: %r" % (len(row), row))
        titles = {r[1] for r in data_rows}
        artists = {r[0] for r in data_rows}
        for expected in ("Čierna káva", "Café crème", "<script>document.title='x'</script>"):
            if expected not in titles:
                failures.append("title %r missing from %r" % (expected, sorted(titles)))
        for expected in ("Ľudová hudba", "Zoë", 'Tom & "Jerry" <b>bold</b>'):
            if expected not in artists:
                failures.append("artist %r missing" % expected)
        unexpected = set(dom.elements) - {"html", "head", "meta", "title", "style", "body", "span", "b", "table",
                                           "tbody", "tr", "th", "td", "a", "p"}
        if unexpected or dom.elements.count("b") != dom.elements.count("span"):
            failures.append("elements that came from tags: %r" % sorted(unexpected))
        base = "file://" + urllib.parse.quote(page)
        for href in dom.links:
            target = urllib.parse.unquote_to_bytes(urllib.parse.urlparse(urllib.parse.urljoin(base, href)).path)
            if not os.path.isfile(target):
                failures.append("link %r leads to %r, which is no file" % (href, target))
        if len(dom.links) != 3 * len(mp3s):
            failures.append("%d links for %d files" % (len(dom.links), len(mp3s)))
        for row in data_rows:
            if not names_a_file(row[6]):
                failures.append("file name cell %r is no file" % row[6])
        if not any(row[6].endswith("/Café crème.mp3") for row in data_rows):
            failures.append("the name that is not UTF-8 is not shown as ISO-8859-1")

        for f in failures:
            print("FAIL:", f)
        print("%d rows, %d links checked in %s" % (len(data_rows), len(dom.links), os.path.basename(chromium)))
        return 1 if failures else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
