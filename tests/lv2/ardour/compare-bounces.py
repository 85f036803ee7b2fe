#!/usr/bin/env python3
"""Compares the two editions' bounced channels sample for sample (32-bit float WAV files)."""
import glob
import struct
import sys


def samples(path):
    data = open(path, 'rb').read()
    i, bits = 12, None
    while i < len(data):
        chunk, size = data[i:i + 4], struct.unpack('<I', data[i + 4:i + 8])[0]
        if chunk == b'fmt ':
            bits = struct.unpack('<HHIIHH', data[i + 8:i + 24])[5]
        if chunk == b'data':
            if bits != 32:
                sys.exit('%s: not 32-bit float' % path)
            return struct.unpack('<%df' % (size // 4), data[i + 8:i + 8 + size // 4 * 4])
        i += 8 + size + (size & 1)
    sys.exit('%s: no samples' % path)


def channels(session, name):
    files = glob.glob('%s/interchange/*/audiofiles/%s*.wav' % (session, name))
    return sorted(files, key=lambda f: int(f.rsplit('%', 1)[1].split('.')[0]))


session = sys.argv[1]
# Both bounces read the LV2 track's take; the VST track's own take shows how far the two recordings of
# the same inputs differ.
for side in 'LR':
    lv2take = samples(glob.glob('%s/interchange/*/audiofiles/Take1_LV2-1%%%s.wav' % (session, side))[0])
    vsttake = samples(glob.glob('%s/interchange/*/audiofiles/Take1_VST-1%%%s.wav' % (session, side))[0])
    differ = [i for i, (u, v) in enumerate(zip(lv2take, vsttake)) if u != v]
    print('take %s: %d samples, %d differ%s' % (side, len(lv2take), len(differ),
                                                ' (frames %d to %d)' % (differ[0], differ[-1]) if differ else ''))
lv2, vst = channels(session, 'lv2out'), channels(session, 'vstout')
if len(lv2) != 6 or len(vst) != 6:
    sys.exit('expected 6 channels each, got %d and %d' % (len(lv2), len(vst)))
differing = 0
for name, a, b in zip('L R C LFE Ls Rs'.split(), lv2, vst):
    x, y = samples(a), samples(b)
    diff = sum(1 for u, v in zip(x, y) if u != v) + abs(len(x) - len(y))
    worst = max(abs(u - v) for u, v in zip(x, y))
    # The second second of the bounce (48 kHz), after the start's glide.
    later = max([abs(u - v) for u, v in zip(x[48000:], y[48000:])] or [0])
    print('%-3s %d samples, peak %.4f, %d differ (largest difference %.3g, after the first second %.3g)' %
          (name, len(x), max(map(abs, x)), diff, worst, later))
    differing += diff
print('identical' if differing == 0 else 'different')
