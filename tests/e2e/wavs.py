# Writes WAV files of the rates, channel counts and layouts a user's buzzer may have into a folder: a 440 Hz
# tone of HORN seconds, loud enough to stand out in a recording. Every sample format reaches the sound server
# as 16 bits (the board's tests read each of them), so here the samples are 16-bit. Usage: wavs.py FOLDER
import struct, sys, numpy as n

HORN = 0.5


def wav(channels, rate, extensible=False, seconds=HORN, claimed=None):
    fmt = struct.pack("<HHIIHH", 0xFFFE if extensible else 1, channels, rate, rate * channels * 2, channels * 2, 16)
    if extensible:
        fmt += struct.pack("<HHIH", 22, 16, 0, 1) + bytes.fromhex("000000001000800000aa00389b71")
    t = n.arange(int(rate * seconds)) / rate
    data = n.repeat(19660 * n.sin(2 * n.pi * 440 * t)[:, None], channels, axis=1).astype("<i2").tobytes()
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", claimed or len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


files = {
    "mono-22050": wav(1, 22050),
    "stereo-96000": wav(2, 96000),
    "ext-6ch-48000": wav(6, 48000, extensible=True),
    "truncated": wav(1, 44100, claimed=4 * 44100 * 2),
    # Over 32 MB: it plays its first minute, cut short here after a second by closing the program.
    "long": wav(2, 48000, seconds=185),
}
for name, data in files.items():
    open(f"{sys.argv[1]}/{name}.wav", "wb").write(data)
