#!/usr/bin/env python3
"""Writes the demo story's sounds: examples/demo/bgm.mid, a short tune that
loops well as background music, and examples/demo/chime.wav, a bell-like
sound effect under a second. Standard library only; the output is the same
on every run, so the committed files only change when this script does.

With Debian's encoders installed (vorbis-tools' oggenc, lame) it also writes
two sounds of the "other files" kind: examples/demo/breeze.ogg, a soft chord
that loops as background music, and examples/demo/knock.mp3, a short effect.
They are the same on every run with the same encoder versions; without the
encoders the committed ones are kept."""

import math
import pathlib
import shutil
import struct
import subprocess
import tempfile
import wave

DEMO = pathlib.Path(__file__).resolve().parent.parent / "examples" / "demo"

TICKS_PER_QUARTER = 480
MICROSECONDS_PER_QUARTER = 600000  # 100 beats a minute


def variable_length(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def track(events, end):
    """events: (tick, bytes) in any order, ending by tick `end`; returns an
    MTrk chunk. The End of Track event sits at `end`, the end of the last bar:
    a player that repeats the tune at its last event keeps the beat."""
    body = bytearray()
    now = 0
    for tick, data in sorted(events, key=lambda e: (e[0], e[1][0] & 0xF0 != 0x80)):
        body += variable_length(tick - now) + data
        now = tick
    body += variable_length(end - now) + b"\xFF\x2F\x00"
    return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def notes(channel, program, velocity, line):
    """line: (note or None for a rest, length in eighths)."""
    events = [(0, bytes([0xC0 | channel, program]))]
    tick = 0
    eighth = TICKS_PER_QUARTER // 2
    for note, eighths in line:
        length = eighths * eighth
        if note is not None:
            events.append((tick, bytes([0x90 | channel, note, velocity])))
            events.append((tick + length - 20, bytes([0x80 | channel, note, 64])))
        tick += length
    return events


def make_midi():
    # Four bars in C major that end on the dominant, so the repeat follows on.
    melody = [
        (72, 2), (76, 2), (79, 2), (76, 2),
        (77, 2), (74, 2), (71, 4),
        (72, 2), (74, 2), (76, 2), (79, 2),
        (81, 3), (79, 1), (74, 4),
    ]
    bass = [(48, 8), (43, 8), (45, 8), (43, 8)]
    tempo = (0, b"\xFF\x51\x03" + MICROSECONDS_PER_QUARTER.to_bytes(3, "big"))
    name = (0, b"\xFF\x03\x09QVN theme")
    end = 16 * TICKS_PER_QUARTER
    conductor = track([tempo, name], end)
    lead = track(notes(0, 11, 96, melody), end)  # vibraphone
    low = track(notes(1, 32, 80, bass), end)  # acoustic bass
    header = b"MThd" + struct.pack(">IHHH", 6, 1, 3, TICKS_PER_QUARTER)
    return header + conductor + lead + low


RATE = 22050


def write_wave(path, seconds, sound):
    """sound(t) in -1..1 for t in seconds; a 16-bit mono wave file."""
    frames = bytearray()
    for i in range(int(RATE * seconds)):
        frames += struct.pack("<h", int(sound(i / RATE) * 32767))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def chime(t):
    attack = min(1.0, t / 0.005)
    return 0.8 * attack * (
        0.55 * math.exp(-4.0 * t) * math.sin(2 * math.pi * 1318.5 * t)
        + 0.30 * math.exp(-6.0 * t) * math.sin(2 * math.pi * 1975.5 * t)
        + 0.15 * math.exp(-9.0 * t) * math.sin(2 * math.pi * 3520.0 * t)
    )


def breeze(t):
    # An A minor chord swelling and fading over 1.5 s, silent at both ends.
    envelope = math.sin(math.pi * t / 1.5) ** 2
    chord = sum(math.sin(2 * math.pi * f * t) for f in (220.0, 261.6, 329.6)) / 3
    return 0.5 * envelope * chord


def knock(t):
    # Two short knocks on wood.
    value = 0.0
    for start in (0.0, 0.18):
        if t >= start:
            u = t - start
            value += math.exp(-40.0 * u) * math.sin(2 * math.pi * 180.0 * u)
    return 0.7 * value


def encode(name, seconds, sound, command):
    """Writes `sound` to a temporary wave file and encodes it into DEMO/name
    with `command`, whose words "IN" and "OUT" stand for the two files; False
    without the encoder."""
    if shutil.which(command[0]) is None:
        print(f"{command[0]} not found: {name} left as it is")
        return False
    with tempfile.TemporaryDirectory() as folder:
        source = pathlib.Path(folder) / "source.wav"
        write_wave(source, seconds, sound)
        paths = {"IN": str(source), "OUT": str(DEMO / name)}
        subprocess.run([paths.get(word, word) for word in command], check=True)
    return True


def main():
    DEMO.mkdir(parents=True, exist_ok=True)
    (DEMO / "bgm.mid").write_bytes(make_midi())
    write_wave(DEMO / "chime.wav", 0.7, chime)
    written = ["bgm.mid", "chime.wav"]
    # A fixed stream serial number keeps the Ogg file the same on every run.
    if encode("breeze.ogg", 1.5, breeze,
              ["oggenc", "--quiet", "-s", "1", "-q", "0", "-o", "OUT", "IN"]):
        written.append("breeze.ogg")
    if encode("knock.mp3", 0.4, knock, ["lame", "--quiet", "-m", "m", "-b", "32", "IN", "OUT"]):
        written.append("knock.mp3")
    for name in written:
        print(DEMO / name, (DEMO / name).stat().st_size, "bytes")


if __name__ == "__main__":
    main()
