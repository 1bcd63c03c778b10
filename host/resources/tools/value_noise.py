"""Deterministic value noise for the generated pictures (standard library only).

Lattice values come from an integer hash of the cell and a seed, so the same
seed gives the same picture on every machine and Python version (no use of
the random module or of hash(), which is salted per process).
"""

MASK32 = 0xFFFFFFFF


def _hash(ix, iy, seed):
    h = (ix * 0x27D4EB2D + iy * 0x165667B1 + seed * 0x9E3779B9) & MASK32
    h ^= h >> 15
    h = (h * 0x2C1B3C6D) & MASK32
    h ^= h >> 12
    h = (h * 0x297A2D39) & MASK32
    h ^= h >> 15
    return h / 4294967296.0


def _fade(t):
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0)


def value_noise(x, y, seed, period_x=None):
    """Smooth noise in [0, 1) at (x, y); repeats every period_x cells in x if given."""
    ix = int(x // 1)
    iy = int(y // 1)
    fx = _fade(x - ix)
    fy = _fade(y - iy)
    ix1 = ix + 1
    if period_x:
        ix %= period_x
        ix1 %= period_x
    v00 = _hash(ix, iy, seed)
    v10 = _hash(ix1, iy, seed)
    v01 = _hash(ix, iy + 1, seed)
    v11 = _hash(ix1, iy + 1, seed)
    top = v00 + (v10 - v00) * fx
    bottom = v01 + (v11 - v01) * fx
    return top + (bottom - top) * fy


def fbm(x, y, seed, octaves=5, period_x=None, gain=0.5):
    """Fractal sum of octaves of value noise, normalised to [0, 1)."""
    total = 0.0
    norm = 0.0
    amplitude = 1.0
    frequency = 1
    for octave in range(octaves):
        period = period_x * frequency if period_x else None
        total += amplitude * value_noise(x * frequency, y * frequency, seed + octave * 101,
                                         period)
        norm += amplitude
        amplitude *= gain
        frequency *= 2
    return total / norm
