#!/usr/bin/env python3
"""Writes a synthetic Asura archive for trying out and timing asrkit.

usage: make-archive.py OUT SIZE_MIB CHUNKS [--seed N]

The file is exactly SIZE_MIB MiB: the "Asura   " header, CHUNKS chunks whose
lengths vary around the mean and the four-byte terminator. About a third are
RSCF resource chunks whose payloads are DDS, RIFF or other data in turn; the
rest carry other tags. The same arguments always give the same bytes.
"""
import argparse
import random
import struct
import sys

PLAIN_TAGS = [b"TXST", b"SDEV", b"FCSR", b"NAV1", b"HSKN", b"ENTI"]
SIGNATURES = [(b"DDS ", "tga"), (b"RIFF", "wav"), (b"ABCD", "dat")]
HEADER = b"Asura   "
TERMINATOR = b"\0\0\0\0"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("size_mib", type=float)
    parser.add_argument("chunks", type=int)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    total = int(args.size_mib * 1024 * 1024) - len(HEADER) - len(TERMINATOR)
    n = args.chunks
    if n < 1 or total // n < 128:
        sys.exit("make-archive.py: need at least 128 bytes a chunk")
    base = total // n
    sizes = [base] * n
    sizes[-1] += total - base * n
    rng = random.Random(args.seed)
    # Vary lengths in pairs so that the total stays exact.
    for i in range(0, n - 1, 2):
        d = rng.randint(-(base // 2), base // 2)
        sizes[i] += d
        sizes[i + 1] -= d

    filler = bytes(rng.getrandbits(8) for _ in range(65536)) * (max(sizes) // 65536 + 2)
    with open(args.out, "wb") as out:
        out.write(HEADER)
        for i, length in enumerate(sizes):
            if i % 3 == 0:
                signature, ext = SIGNATURES[(i // 3) % len(SIGNATURES)]
                name = ("data\\%s\\item%05d.%s" % (ext, i + 1, ext)).encode() + b"\0"
                payload = length - 28 - len(name)
                offset = i % 4096
                chunk = (b"RSCF" + struct.pack("<i", length) + filler[offset:offset + 16] +
                         struct.pack("<i", payload) + name + signature +
                         filler[offset:offset + payload - len(signature)])
            else:
                offset = i % 4096
                chunk = (PLAIN_TAGS[i % len(PLAIN_TAGS)] + struct.pack("<i", length) +
                         filler[offset:offset + length - 8])
            assert len(chunk) == length
            out.write(chunk)
        out.write(TERMINATOR)


if __name__ == "__main__":
    main()
