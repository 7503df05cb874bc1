#!/usr/bin/env python3
# Per mille of a screenshot (raw RGB24 on stdin) that is drawn at all, and that is the countdown's
# red digits (the tube has orange and yellow, but nothing with so little green). Prints both.
import sys

data = sys.stdin.buffer.read()
pixels = max(len(data) // 3, 1)
red, green, blue = data[0::3], data[1::3], data[2::3]
lit = sum(1 for i in range(pixels) if red[i] > 16 or green[i] > 16 or blue[i] > 16)
digits = sum(1 for i in range(pixels) if red[i] > 180 and green[i] < 80 and blue[i] < 80)
print(lit * 1000 // pixels, digits * 1000 // pixels)
