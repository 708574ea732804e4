"""Reads a raw 16-bit mono 22050 Hz recording and prints, in seconds from its
start, the first loud sample, the last loud sample and the recording's
length: "first last length" (first and last are -1 when nothing is loud)."""
import array
import sys

RATE = 22050
THRESHOLD = 500

samples = array.array("h")
with open(sys.argv[1], "rb") as recording:
    data = recording.read()
samples.frombytes(data[: len(data) // 2 * 2])
first = next((i for i, s in enumerate(samples) if abs(s) > THRESHOLD), -1)
last = -1
if first >= 0:
    last = next(i for i in range(len(samples) - 1, -1, -1) if abs(samples[i]) > THRESHOLD)
print(f"{first / RATE if first >= 0 else -1:.3f} {last / RATE if last >= 0 else -1:.3f} {len(samples) / RATE:.3f}")
