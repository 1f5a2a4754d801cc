#!/usr/bin/env python3
"""Checks screenshots of the portal frame (columns 1-2 and 4-3, beam 2-3 in
the plan, drawn in the members' yellow on black):

    portal_pictures.py model <model.png>
        the portal is drawn whole;
    portal_pictures.py sway <model.png> <deformed.png> <pixels>
        the tops of the columns moved <pixels> to the right, their feet stayed;
    portal_pictures.py moment <model.png> <moment.png> <size percent>
        the diagram's line (green) over the beam is a parabola above the beam,
        highest at mid-span, <size percent> of the span off the axis.

The portal is found in the model's picture: its columns are the two longest
upright runs of yellow, the beam the longest level one. Prints what it
measured; exits 1 when the picture is not as expected.
"""
import sys

import numpy as np
from PIL import Image


def load(path):
    return np.asarray(Image.open(path).convert('RGB')).astype(int)


def yellow(p):
    return (p[..., 0] > 150) & (p[..., 1] > 150) & (p[..., 2] < 110)


def green(p):
    return (p[..., 1] > 150) & (p[..., 0] < 110) & (p[..., 2] < 110)


class Portal:
    """The portal's place in a picture of the model."""

    def __init__(self, picture):
        m = yellow(picture)
        h, w = m.shape
        columns = np.nonzero(m.sum(axis=0) > h // 4)[0]
        rows = np.nonzero(m.sum(axis=1) > w // 4)[0]
        if len(columns) < 2 or len(rows) < 1:
            raise SystemExit('no portal in the model picture (%d upright, %d level runs)' % (len(columns), len(rows)))
        self.left, self.right = int(columns.min()), int(columns.max())
        self.top = int(rows.min())
        self.bottom = int(np.nonzero(m[:, self.left])[0].max())
        self.span = self.right - self.left
        if self.span < 100 or self.bottom - self.top < 100:
            raise SystemExit('no whole portal in the model picture')
        print('portal: columns at x %d and %d, beam at y %d, feet at y %d' %
              (self.left, self.right, self.top, self.bottom))

    def leftmost(self, mask, y):
        """The first marked pixel of row y from a little left of the portal."""
        xs = np.nonzero(mask[y, self.left - 20:self.right])[0]
        return int(xs.min()) + self.left - 20 if len(xs) else None


def fail(text):
    print('FAILED: ' + text)
    sys.exit(1)


def sway(model, deformed, pixels):
    p = Portal(load(model))
    d = yellow(load(deformed))
    height = p.bottom - p.top
    # Clear of the nodes' markers.
    near_top, near_foot = p.top + 15, p.bottom - 15
    top = p.leftmost(d, near_top)
    foot = p.leftmost(d, near_foot)
    if top is None or foot is None:
        fail('no left column in the deformed picture')
    expected = pixels * (p.bottom - near_top) / height
    print('left column: %d px right of its place at the top, %d at the foot (expected %.0f and 0)' %
          (top - p.left, foot - p.left, expected))
    if abs(foot - p.left) > 3:
        fail('the foot of the column moved')
    if abs(top - p.left - expected) > 4:
        fail('the top of the column is not %d pixels to the right' % pixels)


def moment(model, diagram, percent):
    p = Portal(load(model))
    g = green(load(diagram))

    def height_at(fraction):
        x = int(round(p.left + fraction * p.span))
        ys = np.nonzero(g[p.top - p.span // 4:p.top + 3, x])[0]
        return p.span // 4 - int(ys.min()) if len(ys) else None

    mid, quarter, three = height_at(0.5), height_at(0.25), height_at(0.75)
    if mid is None or quarter is None or three is None:
        fail('no diagram over the beam')
    expected = percent / 100.0 * p.span
    print('diagram over the beam: %d px at mid-span (expected %.0f), %d and %d at the quarters' %
          (mid, expected, quarter, three))
    if abs(mid - expected) > 4:
        fail('the peak is not %s %% of the span off the beam' % percent)
    # A parabola through the ends: three quarters of the peak at the quarters.
    for h in (quarter, three):
        if abs(h - 0.75 * mid) > 4:
            fail('the diagram over the beam is not a parabola peaking at mid-span')


if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == 'model':
        Portal(load(sys.argv[2]))
    elif len(sys.argv) == 5 and sys.argv[1] in ('sway', 'moment'):
        {'sway': sway, 'moment': moment}[sys.argv[1]](sys.argv[2], sys.argv[3], float(sys.argv[4]))
    else:
        raise SystemExit(__doc__)
