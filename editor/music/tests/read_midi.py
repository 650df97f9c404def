#!/usr/bin/python3
"""Reads a MIDI file with mido and prints what the export tests compare: the file's type,
division and track count, each track's tempo and programs, and every note-on with its channel,
absolute tick, key and velocity."""
import sys

import mido


def main(path):
    f = mido.MidiFile(path)
    print("type %d division %d tracks %d" % (f.type, f.ticks_per_beat, len(f.tracks)))
    for i, track in enumerate(f.tracks):
        tick = 0
        for m in track:
            tick += m.time
            if m.type == "set_tempo":
                print("%d tempo %d" % (i, m.tempo))
            elif m.type == "program_change":
                print("%d program %d %d" % (i, m.channel, m.program))
            elif m.type == "note_on":
                print("%d on %d %d %d %d" % (i, m.channel, tick, m.note, m.velocity))


if __name__ == "__main__":
    main(sys.argv[1])
