"""Node merging against SciPy's k-d tree.

100,000 nodes: points of a lattice, and copies of some of them moved by
amounts near the node tolerances (just inside or just outside, on one, two
or all three axes; sometimes a chain of copies). Coincidence is the
Chebyshev distance with z scaled by the plan over the elevation tolerance,
so cKDTree's balls of radius h (p = inf) hold exactly the coincident nodes.
The expected merge takes the nodes in number order; each one not absorbed
yet absorbs every higher-numbered node of its ball not absorbed yet. The
program must leave exactly those survivors, numbered in order, and no two
survivors may coincide (query_pairs on them finds nothing).
"""
import subprocess
import sys

import numpy as np
from scipy.spatial import cKDTree

H = 0.02
V = float(np.float32(0.01))  # the elevation tolerance is kept as a float


def make_nodes(seed, count):
    rng = np.random.default_rng(seed)
    base = []
    for z in range(4):
        for y in range(40):
            for x in range(400):
                base.append((x * 1.0, y * 1.0, z * 3.0))
    base = np.array(base[: count // 2])
    nodes = [p for p in base]
    tol = np.array([H, H, V])
    while len(nodes) < count:
        p = base[rng.integers(len(base))].copy()
        for _ in range(rng.integers(1, 3)):  # a copy, sometimes a copy of a copy
            axes = rng.random(3) < 0.6
            if not axes.any():
                axes[rng.integers(3)] = True
            # within or beyond the tolerance by 0.01 % to 5 % of it
            f = 1.0 + np.where(rng.random(3) < 0.5, -1, 1) * rng.uniform(1e-4, 5e-2, 3)
            sign = np.where(rng.random(3) < 0.5, -1.0, 1.0)
            p = p + np.where(axes, sign * tol * f, 0.0)
            nodes.append(p.copy())
    order = rng.permutation(len(nodes))
    return np.array(nodes)[order][:count]


def expected(nodes):
    scaled = nodes * np.array([1.0, 1.0, H / V])
    balls = cKDTree(scaled).query_ball_point(scaled, r=H, p=np.inf)
    merged = np.zeros(len(nodes), dtype=bool)
    for i in range(len(nodes)):
        if merged[i]:
            continue
        for j in balls[i]:
            if j > i:
                merged[j] = True
    return nodes[~merged], scaled[~merged]


def main():
    program = sys.argv[1]
    nodes = make_nodes(20240615, 100000)
    text = "".join("%.17g %.17g %.17g\n" % tuple(p) for p in nodes)
    out = subprocess.run([program], input=text.encode(), stdout=subprocess.PIPE, check=True).stdout.decode()
    got = np.array([[float(v) for v in line.split()] for line in out.splitlines()])
    want, scaled = expected(nodes)
    pairs = cKDTree(scaled).query_pairs(r=H, p=np.inf)
    if pairs:
        print("the oracle's survivors coincide: %d pairs" % len(pairs))
        return 1
    merged = len(nodes) - len(want)
    print("%d nodes, %d merged away, %d left" % (len(nodes), merged, len(want)))
    if merged < 10000:
        print("too few nodes near the tolerances to test anything")
        return 1
    if got.shape != want.shape:
        print("survivors: got %d, want %d" % (len(got), len(want)))
        return 1
    bad = np.nonzero(np.any(got != want, axis=1))[0]
    if len(bad):
        i = bad[0]
        print("survivor %d differs: got %s, want %s" % (i + 1, got[i], want[i]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
