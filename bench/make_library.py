#!/usr/bin/env python3
"""Builds a synthetic MP3 library for the benchmark: N distinct files in N/100 folders, each
real lame-encoded audio (MPEG-1, MPEG-2 and MPEG-2.5; CBR with and without an Info header, VBR
with Xing) under its own ID3v2.3 or ID3v2.4 tag, most with an ID3v1.1 tag, one in ten with
cover art, and a folder.jpg in every folder.

  make_library.py FOLDER N [--one-folder] [--real-sized]

--one-folder puts the same files (names and bytes) into FOLDER itself, with one folder.jpg;
--real-sized gives each file songs' length of audio, 4 minutes at 128 kbit/s (3.9 MB: CBR with
and without an Info header, ABR with Xing) under the same tags."""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

CLIPS = [  # (name, sample rate of the tone, lame options)
    ("cbr-info", 44100, ["-b", "128"]),
    ("cbr-plain", 44100, ["-b", "128", "-t"]),
    ("vbr-xing", 44100, ["-V", "5"]),
    ("mpeg2-mono", 22050, ["-b", "64", "-m", "m"]),
    ("mpeg25", 11025, ["-b", "32", "-m", "m"]),
    ("mpeg2-vbr", 24000, ["-V", "6"]),
]
REAL_SIZED_CLIPS = [
    ("cbr-info", 44100, ["-b", "128"]),
    ("cbr-plain", 44100, ["-b", "128", "-t"]),
    ("abr-xing", 44100, ["--abr", "128"]),
]
REAL_SIZED_SECONDS = 245


def tone(path, rate, seconds, freq, noise=0):
    # Long clips repeat one second: noise keeps an average bit rate from falling with a pure tone.
    noisy = random.Random(freq)
    one = min(seconds, 1.0)
    block = b"".join(struct.pack("<h", int(6000 * math.sin(2 * math.pi * freq * i / rate))
                                 + noisy.randint(-noise, noise)) for i in range(int(rate * one)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(block * int(seconds / one))


def encode_clips(work, real_sized):
    clips = []
    for i, (name, rate, opts) in enumerate(REAL_SIZED_CLIPS if real_sized else CLIPS):
        wav = os.path.join(work, name + ".wav")
        mp3 = os.path.join(work, name + ".mp3")
        if real_sized:
            tone(wav, rate, REAL_SIZED_SECONDS, 220 * (i + 1), noise=4000)
        else:
            tone(wav, rate, 0.6, 220 * (i + 1))
        subprocess.run(["lame", "--quiet", "--noreplaygain"] + opts + [wav, mp3], check=True)
        with open(mp3, "rb") as f:
            clips.append(f.read())
    return clips


def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])


def frame(version, frame_id, content):
    size = syncsafe(len(content)) if version == 4 else struct.pack(">I", len(content))
    return frame_id.encode() + size + b"\0\0" + content


def text(version, frame_id, value, encoding):
    if encoding == 1:
        payload = b"\xff\xfe" + value.encode("utf-16-le") + b"\0\0"
    elif encoding == 3:
        payload = value.encode("utf-8") + b"\0"
    else:
        payload = value.encode("latin-1", "replace") + b"\0"
    return frame(version, frame_id, bytes([encoding]) + payload)


def id3v2(rng, n, cover):
    version = rng.choice([3, 4])
    enc = rng.choice([0, 1] if version == 3 else [0, 1, 3])
    body = (text(version, "TPE1", "Artist %d" % (n % 997), enc) + text(version, "TIT2", "Title number %d" % n, enc)
            + text(version, "TALB", "Album %d" % (n // 12), enc)
            + text(version, "TYER" if version == 3 else "TDRC", str(1960 + n % 60), 0))
    if cover:
        art = rng.randbytes(rng.randint(20000, 40000))
        body += frame(version, "APIC", b"\0image/jpeg\0\x03\0" + art)
    body += b"\0" * rng.randint(0, 1024)
    return b"ID3" + bytes([version, 0, 0]) + syncsafe(len(body)) + body


def id3v1(n):
    def field(s, size):
        return s.encode("latin-1")[:size].ljust(size, b"\0")
    return (b"TAG" + field("Title number %d" % n, 30) + field("Artist %d" % (n % 997), 30) + field("Album", 30)
            + field(str(1960 + n % 60), 4) + field("comment", 28) + b"\0" + bytes([n % 20 + 1]) + bytes([n % 148]))


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    one_folder = "--one-folder" in sys.argv
    real_sized = "--real-sized" in sys.argv
    target, count = args[0], int(args[1])
    rng = random.Random(20261207)
    with tempfile.TemporaryDirectory() as work:
        clips = encode_clips(work, real_sized)
    folders = max(1, count // 100)

    def folder_of(d):
        return target if one_folder else os.path.join(target, "Artist %03d" % (d % 50), "Album %04d" % d)

    for d in range(folders):
        picture = rng.randbytes(30000)  # drawn for every folder, so that the files are the same
        if one_folder and d > 0:
            continue
        os.makedirs(folder_of(d), exist_ok=True)
        with open(os.path.join(folder_of(d), "folder.jpg"), "wb") as f:
            f.write(picture)
    for n in range(count):
        folder = folder_of(n % folders)
        data = id3v2(rng, n, cover=rng.random() < 0.1) + clips[n % len(clips)]
        if rng.random() < 0.7:
            data += id3v1(n)
        with open(os.path.join(folder, "%05d Track %d.mp3" % (n, n)), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
