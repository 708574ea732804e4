"""Prints the seconds between the first and the last loud sample of a raw
16-bit mono 22050 Hz recording (0.000 when nothing is loud)."""
import array
import sys

RATE = 22050
THRESHOLD = 500

samples = array.array("h")
with open(sys.argv[1], "rb") as recording:
    data = recording.read()
samples.frombytes(data[: len(data) // 2 * 2])
loud = [i for i, s in enumerate(samples) if abs(s) > THRESHOLD]
print(f"{(loud[-1] - loud[0]) / RATE:.3f}" if loud else "0.000")
