"""Writes one WAV file of each kind a user may pick as the buzzer into a folder: a 440 Hz tone of HORN seconds,
loud enough to stand out in a recording. Usage: wavs.py FOLDER"""
import struct, sys, numpy as n

HORN = 0.5
GUID_TAIL = bytes.fromhex("000000001000800000aa00389b71")


def samples(kind, bits, channels, rate, seconds):
    t = n.arange(int(rate * seconds)) / rate
    wave = n.repeat(0.6 * n.sin(2 * n.pi * 440 * t)[:, None], channels, axis=1)
    if kind == 3:
        return wave.astype("<f4" if bits == 32 else "<f8").tobytes()
    if bits == 8:
        return (wave * 127 + 128).astype("u1").tobytes()
    full = wave * (2 ** (bits - 1) - 1)
    if bits == 24:
        return b"".join(int(v).to_bytes(3, "little", signed=True) for v in full.ravel())
    return full.astype("<i2" if bits == 16 else "<i4").tobytes()


def wav(kind, bits, channels, rate, extensible=False, seconds=HORN, claimed=None):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 0xFFFE if extensible else kind, channels, rate, rate * align, align, bits)
    if extensible:
        fmt += struct.pack("<HHIH", 22, bits, 0, kind) + GUID_TAIL
    data = samples(kind, bits, channels, rate, seconds)
    size = len(data) if claimed is None else claimed
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", size) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


files = {
    "u8": wav(1, 8, 1, 22050),
    "s16": wav(1, 16, 2, 44100),
    "s24": wav(1, 24, 1, 48000),
    "s32": wav(1, 32, 2, 96000),
    "f32": wav(3, 32, 1, 44100),
    "f64": wav(3, 64, 2, 48000),
    "ext-s16": wav(1, 16, 2, 44100, extensible=True),
    "ext-f32-6ch": wav(3, 32, 6, 48000, extensible=True),
    "truncated": wav(1, 16, 1, 44100, claimed=4 * 44100 * 2),
    # Over 32 MB: it plays its first minute, cut short here after a second by closing the program.
    "long": wav(1, 16, 2, 48000, seconds=185),
}
for name, data in files.items():
    open(f"{sys.argv[1]}/{name}.wav", "wb").write(data)
