# Checks a recording of the sound server's output against the horns that should be in it.
#
# Usage: horns.py RECORDING PLAYS [RECORDING PLAYS ...]: each RECORDING is raw 16-bit mono at 44100 Hz of one run
# of the sound server, each PLAYS its presses, one a line: the time, a tag, and the horn's length in seconds
# (1.5, the program's own, when left out). Tag "s" is a started clock of 0.5 s that sounds at its run-out; "h" a
# buzzer key held down, which sounds once; "cut" a horn cut short by closing the program after its length.
# Every horn must be heard as a burst of its own, at its time and of its length: a press during a horn restarts
# it, so its burst runs on to the last start plus one horn. Exits 1 when one is missing, late or of the wrong length.
import sys, numpy as n

LATE, LONG, CUT = 0.2, 0.15, 0.4  # onsets may be off by a clock tick and the key's way in; lengths by the 10 ms windows


def join(spans):  # [start, end, tags]: spans less than 0.1 s apart are one, their tags added up
    out = []
    for on, off, tag in spans:
        if out and on - out[-1][1] < 0.1:
            out[-1][1:] = [max(off, out[-1][1]), out[-1][2] + tag]
        else:
            out.append([on, off, tag])
    return out


def check(recording, presses):
    rec = n.fromfile(recording, "<i2").astype(float)
    rms = n.sqrt((rec[: len(rec) // 441 * 441].reshape(-1, 441) ** 2).mean(axis=1))
    edges = n.flatnonzero(n.diff(n.r_[0, (rms > 3000).astype(int), 0])) * 0.01
    bursts = join((on, off, [1]) for on, off in zip(edges[::2], edges[1::2]))
    plays = [(float(t) + 0.5 * (tag == "s"), tag, float(length)) for t, tag, length, *_ in (l.split() + ["1.5"] for l in open(presses))]
    groups = join(sorted((on, on + length, [tag]) for on, tag, length in plays))
    print(f"{recording}: {len(rec) / 44100:.1f} s, {len(plays)} plays, {len(groups)} horns expected, {len(bursts)} heard")
    ok = len(bursts) == len(groups)
    # Times are compared after the sound server's steady delay, the median over the run's horns.
    delay = n.median([b[0] - g[0] for b, g in zip(bursts, groups)]) if ok else 0
    for (on, off, runs), (t, end, tags) in zip(bursts, groups):
        late, long = on - t - delay, (off - on) - (end - t)
        good = abs(late) < LATE and abs(long) < (CUT if "cut" in tags else LONG) and len(runs) <= len(tags)
        ok &= good
        print(f"{'ok  ' if good else 'FAIL'} {','.join(tags):12} at {on:6.2f} s ({late:+.2f}), {off - on:.2f} s ({long:+.2f})")
    return ok


sys.exit(int(not all([check(*pair) for pair in zip(sys.argv[1::2], sys.argv[2::2])])))
