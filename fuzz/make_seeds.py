#!/usr/bin/env python3
"""Writes a small seed corpus for each fuzz target into OUT/<target>/."""
import pathlib
import struct
import sys


def chunk(tag: bytes, body: bytes) -> bytes:
    return tag + struct.pack("<i", len(body) + 8) + body


def resource(name: bytes, payload: bytes, gap: bytes = b"") -> bytes:
    body = bytes(range(16)) + struct.pack("<i", len(payload)) + name + b"\0" + gap + payload
    return chunk(b"RSCF", body)


def archive(*chunks: bytes, terminator: bool = True) -> bytes:
    return b"Asura   " + b"".join(chunks) + (b"\0" * 4 if terminator else b"")


DDS = b"DDS " + bytes(range(60))
RIFF = b"RIFF" + struct.pack("<i", 36) + b"WAVEfmt " + bytes(24)
TEXTURE = resource(b"textures\\rock.tga", DDS)
SOUND = resource(b"sounds/step.wav", RIFF, gap=b"\1\2\3")
OTHER = resource(b"", b"abc")
PLAIN = chunk(b"ENVS", bytes(range(32)))

SEEDS = {
    "fuzz_open": {
        "good": archive(TEXTURE, SOUND, OTHER, PLAIN),
        "no_terminator": archive(PLAIN, PLAIN, terminator=False),
        "compressed": b"AsuraCmp" + bytes(8),
        "zero_length": archive(b"ABCD\0\0\0\0"),
        "three_zero_stop": archive(PLAIN) + b"\0\0\0\1" + PLAIN,
    },
    "fuzz_resource": {
        name: struct.pack("<H", len(c)) + c + extra
        for name, c, extra in [
            ("dds", TEXTURE, RIFF),
            ("riff", SOUND, DDS),
            ("empty", OTHER, b""),
            ("short", b"RSCF\x10\0\0\0" + bytes(8), b"12345"),
        ]
    },
    "fuzz_chunk_import": {
        "resource": TEXTURE,
        "plain": PLAIN,
        "lying_length": b"ABCD" + struct.pack("<i", 4000) + bytes(20),
        "tiny": b"AB",
    },
    # One byte picks the signature the target puts in front: 0 "DDS ", 1 "RIFF....WAVE".
    "fuzz_preview": {
        "dxt1": b"\0" + struct.pack("<7I", 124, 0x21007, 8, 8, 0, 0, 1) + bytes(44)
        + struct.pack("<2I4s5I", 32, 4, b"DXT1", 0, 0, 0, 0, 0) + bytes(20) + bytes(32),
        "rgba": b"\0" + struct.pack("<7I", 124, 0x1007, 2, 2, 0, 0, 0) + bytes(44)
        + struct.pack("<2I4s5I", 32, 0x41, b"\0\0\0\0", 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000)
        + bytes(20) + bytes(16),
        "pcm16": b"\1" + b"fmt " + struct.pack("<IHHIIHH", 16, 1, 2, 8000, 32000, 4, 16)
        + b"data" + struct.pack("<I", 16) + bytes(range(16)),
    },
}


def main() -> None:
    out = pathlib.Path(sys.argv[1])
    for target, seeds in SEEDS.items():
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


if __name__ == "__main__":
    main()
