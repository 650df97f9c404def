#!/usr/bin/python3
"""Makes the drum template file DrumMod.dat from its readable source: consecutive 103-byte
drum pattern records, no header."""
import sys

METRES = ["1/4", "2/4", "3/4", "4/4", "5/4", "3/8", "6/8", "7/8", "9/8", "12/8"]
STEPS = [4, 8, 12, 16, 20, 6, 12, 14, 18, 24]


def record(name, metre, speed, channels):
    gbk = name.encode("gbk")
    if len(gbk) > 32:
        raise SystemExit("name too long: " + name)
    on_bits = 0
    volume, sounds, pans = [100] * 8, [22] * 8, [64] * 8
    rhythms = bytearray(32)
    for ch, key, vel, pan, steps in channels:
        if len(steps) != STEPS[metre]:
            raise SystemExit("%s: channel %d needs %d steps" % (name, ch, STEPS[metre]))
        on_bits |= 0x80 >> ch
        volume[ch], sounds[ch], pans[ch] = vel, key - 13, pan
        for x, c in enumerate(steps):
            if c == "x":
                rhythms[4 * ch + x // 8] |= 0x80 >> (x % 8)
    out = bytearray()
    out.append(0)                       # version
    out += gbk + bytes(32 - len(gbk))   # name
    out.append(on_bits)
    out += bytes(volume) + bytes(sounds)
    out.append(0)                       # track
    out.append(metre)
    out.append(speed)
    out += rhythms + bytes(pans)
    out.append(0)                       # bars of song
    out.append(1)                       # has drums
    out += bytes(8)                     # bar length, first character, spare
    assert len(out) == 103
    return bytes(out)


def main(source, target):
    records, current = [], None
    for raw in open(source, encoding="utf-8"):
        line = raw.split("#", 1)[0].strip()
        if not line:
            continue
        if line.startswith("["):
            if current:
                records.append(record(*current))
            current = [line.strip("[]"), 3, 120, []]
        elif line.startswith("metre "):
            current[1] = METRES.index(line.split()[1])
        elif line.startswith("speed "):
            current[2] = int(line.split()[1])
        elif line.startswith("channel "):
            w = line.split()
            current[3].append((int(w[1]), int(w[3]), int(w[5]), int(w[7]), w[8]))
        else:
            raise SystemExit("cannot read: " + line)
    if current:
        records.append(record(*current))
    with open(target, "wb") as f:
        f.write(b"".join(records))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
