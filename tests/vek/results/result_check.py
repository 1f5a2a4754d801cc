"""Result display values rebuilt apart from the program's code.

The contour palettes from their key colours and step rules, entry by entry;
the largest displacement along members with numpy from the nodes'
coordinates and displacements: each end's tangent turned by its rotation,
the cubic Hermite curve between the moved ends sampled at 51 points, and its
largest distance from the member's line.
"""
import subprocess
import sys

import numpy as np

KEYS = [(0, 0, 127), (0, 0, 255), (0, 127, 255), (0, 255, 255), (0, 255, 127), (0, 255, 0),
        (127, 255, 0), (255, 255, 0), (255, 127, 0), (255, 0, 0), (255, 0, 127)]


def palette(colours):
    out = []
    for i in range(10):
        a, b = KEYS[i], KEYS[i + 1]
        if colours == 10:
            out += [b] * 24
        elif colours == 20:
            first = a if i == 0 else tuple((x + y) // 2 for x, y in zip(a, b))
            out += [first] * 12 + [b] * 12
        else:
            # The colour itself is the running sum, from the key colour on.
            step = [(y - x) * 0.041666666666666664 for x, y in zip(a, b)]
            run = [float(x) for x in a]
            for j in range(24):
                run = [r + s for r, s in zip(run, step)]
                entry = tuple(int(r) for r in run)
                # Never more than one off the exact share of the way.
                exact = [x + (j + 1) * (y - x) / 24 for x, y in zip(a, b)]
                assert all(abs(e - x) <= 1 for e, x in zip(entry, exact)), (i, j, entry, exact)
                out.append(entry)
    return out


def check_palettes(program):
    lines = subprocess.run([program, 'palette'], check=True, capture_output=True, text=True).stdout.split('\n')
    got = {}
    for line in lines:
        if line.strip():
            c, p, r, g, b = map(int, line.split())
            got.setdefault(c, []).append((r, g, b))
    bad = 0
    for colours in (10, 20, 240):
        want = palette(colours)
        if got.get(colours) != want:
            first = next((p for p in range(240) if got.get(colours, [None] * 240)[p] != want[p]), None)
            print(f'palette {colours}: entry {first} differs: {got.get(colours, [None] * 240)[first]} != {want[first]}')
            bad += 1
    return bad


def tangent(e, length, r):
    n = np.cross(r, e)
    size = np.linalg.norm(n)
    if size > 0:
        n = n / size
    m = np.cross(e, n)
    theta = m.dot(r)
    return length * (e * np.cos(theta) + n * np.sin(theta))


def largest(p1, p2, ua, ub):
    L = p2 - p1
    length = np.linalg.norm(L)
    e = L / length if length > 1e-15 else L
    q1, q2 = p1 + ua[:3], p2 + ub[:3]
    t1, t2 = tangent(e, length, ua[3:]), tangent(e, length, ub[3:])
    t = np.linspace(0.0, 1.0, 51)[:, None]
    h = q1 + t1 * t + (3 * q2 - 3 * q1 - 2 * t1 - t2) * t ** 2 + (2 * q1 - 2 * q2 + t1 + t2) * t ** 3
    c = p1 + L * t
    return np.linalg.norm(h - c, axis=1).max()


def check_members(program, seed):
    lines = subprocess.run([program, 'member', str(seed)], check=True, capture_output=True,
                           text=True).stdout.split('\n')
    bad = 0
    count = 0
    for line in lines:
        if not line.strip():
            continue
        v = [float(x) for x in line.split()]
        n = int(v[0])
        p1, p2 = np.array(v[1:4]), np.array(v[4:7])
        da = np.array(v[7:7 + 6 * n]).reshape(n, 6)
        db = np.array(v[7 + 6 * n:7 + 12 * n]).reshape(n, 6)
        out = v[7 + 12 * n:]
        for k in range(n):
            want = largest(p1, p2, da[k], db[k])
            if abs(out[k] - want) > 1e-12 * max(1.0, want):
                print(f'seed {seed} member line {count} case {k + 1}: {out[k]!r} != {want!r}')
                bad += 1
        count += 1
    if count == 0:
        print(f'seed {seed}: no members printed')
        bad += 1
    return bad


def main():
    program = sys.argv[1]
    bad = check_palettes(program)
    for seed in range(1, 6):
        bad += check_members(program, seed)
    print('result check:', 'failed' if bad else 'passed')
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
