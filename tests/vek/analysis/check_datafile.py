#!/usr/bin/env python3
"""Reads the solver data files of the hand-worked models and of seeded random
models by the file's own rules (continued lines, comment lines, ':' comments,
KEY= lists) and checks the blocks: their order, line widths, counts,
references and runs."""
import os
import subprocess
import sys
import tempfile

# The run manager's keywords: a line opens a section by its first four letters.
KEYWORDS = {"SYST", "REST", "CONS", "JOIN", "LSPR", "LOAD", "TEMP", "FORC", "MAST", "FRAM", "TRUS", "PRES",
            "CFRA", "REIN", "VFRA", "PIPE", "PLAN", "THRE", "SOL2", "SOL8", "S16E", "SHEL", "WALL", "EIGE",
            "RITZ", "LANC", "RVIB", "SOIL", "FLUI", "BRID", "LINE", "PE23", "PENA", "STIF", "DISP", "RESO",
            "STAB", "DYNA", "STEP", "SPEC", "DPRI", "SUPE", "SUBS", "TABS", "LEVE", "SFRA", "MASS", "NDLE"}

ORDER = ["SYSTEM", "EIGEN", "RITZ", "LANCZOS", "SPEC", "REIN", "STABILITY", "DPRINT", "RESOLVE", "FORCE",
         "COMBINE", "TEMPERATURE", "CONSTRAINT", "RESTRAINT", "DISPLACEMENT", "MASS", "LSPRING", "LOADS",
         "JOINT", "FRAME", "SFRAME", "VFRAME", "WALL", "MASTER", "TOWER", "NDLEVEL"]


def logical_lines(raw):
    """(keyword or None, text) per logical line, comments dropped."""
    lines, pending = [], ""
    for physical in raw.split(b"\n"):
        line = physical.rstrip(b"\r").decode("gbk")
        if pending == "" and (line == "C" or line.startswith("C ")):
            continue
        if line.endswith("&") or line.endswith("\\"):
            pending += line[:-1]
            continue
        line = pending + line
        pending = ""
        line = line.split(":")[0]
        if line.strip():
            lines.append(line)
    return lines


def fields(line):
    """Leading numbers and the KEY= lists of a line."""
    lead, keys, key = [], {}, None
    for token in line.replace("=", "= ").split():
        if token.endswith("="):
            key = token[:-1]
            keys[key] = []
        elif key is None:
            lead.append(token)
        else:
            keys[key].append(token)
    return lead, keys


def check(path, expect):
    raw = open(path, "rb").read()
    for number, physical in enumerate(raw.split(b"\n"), 1):
        assert len(physical.rstrip(b"\r")) <= 78, f"{path}:{number} is {len(physical)} wide"
    blocks, current = [], None
    for line in logical_lines(raw):
        word = line.strip()
        if word.isalpha() and word.upper() == word:
            current = [word, []]
            blocks.append(current)
        else:
            assert current is not None, f"{path}: text before the first block"
            current[1].append(line)
    names = [b[0] for b in blocks]
    assert set(names) <= set(ORDER), f"{path}: unknown blocks {set(names) - set(ORDER)}"
    order = [ORDER.index(n) for n in names]
    assert order == sorted(order) and len(set(names)) == len(names), f"{path}: block order {names}"
    body = dict(blocks)
    n, nlc = (int(v) for v in fields(body["SYSTEM"][0])[0][:2])
    en, enlc, *kinds = expect
    assert (n, nlc) == (en, enlc), f"{path}: SYSTEM {n} {nlc}, expected {en} {enlc}"

    joints = [int(fields(l)[0][0]) for l in body["JOINT"]]
    assert joints == list(range(1, n + 1)) or sorted(joints) == list(range(1, n + 1)), f"{path}: joints"

    # The rigid floors' master nodes come after the model's: one line of the
    # first and the last, free in UX, UY and RZ.
    model, restraints = n, body.get("RESTRAINT", [])
    if restraints and len(fields(restraints[0])[0]) == 2:
        lead, keys = fields(restraints[0])
        first, end = int(lead[0]), int(lead[1])
        assert 1 < first <= end == n and keys["R"] == list("001110"), f"{path}: masters {restraints[0]}"
        model, restraints = first - 1, restraints[1:]

    last = 0
    for line in restraints:
        lead, keys = fields(line)
        first, end = int(lead[0]), int(lead[1]) if len(lead) > 1 else int(lead[0])
        assert last < first <= end <= model, f"{path}: restraint run {lead} after {last}"
        assert len(keys["R"]) == 6 and any(v == "1" for v in keys["R"]), f"{path}: {line}"
        last = end

    towers = [(int(a), int(b)) for a, b, *_ in (fields(l)[0] for l in body["TOWER"])]
    assert towers[0][0] == 1 and towers[-1][1] == model, f"{path}: towers {towers}"
    for (a, b), (c, _) in zip(towers, towers[1:]):
        assert b + 1 == c, f"{path}: tower runs {towers}"

    last, masters = 0, set()
    for line in body.get("MASTER", []):
        lead, keys = fields(line)
        first, end, master = int(lead[0]), int(lead[1]), int(keys["M"][0])
        assert last < first <= end <= model and 1 <= master <= n, f"{path}: master run {line} after {last}"
        masters.add(master)
        last = end
    assert set(range(model + 1, n + 1)) <= masters, f"{path}: master nodes {model + 1}..{n} not all followed"

    last = 0
    for line in body.get("MASS", []):
        lead, keys = fields(line)
        node, m = int(lead[0]), [float(v) for v in keys["M"]]
        assert last < node <= n and len(m) == 6 and min(m) >= 0, f"{path}: mass {line} after {last}"
        assert node <= model or m[2:5] == [0, 0, 0], f"{path}: a master's mass out of plane {line}"
        last = node

    for line in body.get("LOADS", []):
        lead, keys = fields(line)
        assert 1 <= int(lead[0]) <= n and 1 <= int(keys["L"][0]) <= nlc, f"{path}: {line}"
        assert len(keys["F"]) == 6, f"{path}: {line}"

    last = 0
    for line in body.get("NDLEVEL", []):
        lead, keys = fields(line)
        first, end = int(lead[0]), int(lead[-1])
        assert last < first <= end and (end <= model or len(lead) == 1), f"{path}: level {line} after {last}"
        last = end

    beams, pairs = expect[2::2], expect[3::2]
    ids = []
    for kind, name in enumerate(["FRAME", "SFRAME", "VFRAME"]):
        if beams[kind] == 0:
            assert name not in body, f"{path}: {name} without beams"
            continue
        lines = body[name]
        m, k = (int(v) for v in fields(lines[0])[0][:2])
        assert m == pairs[kind], f"{path}: {name} has {m} section-material lines, expected {pairs[kind]}"
        combos = [int(fields(l)[0][0]) for l in lines[1:1 + m]]
        assert combos == list(range(1, m + 1)), f"{path}: {name} combinations {combos}"
        loads = [int(fields(l)[0][0]) for l in lines[1 + m:1 + m + k]]
        assert loads == list(range(1, k + 1)), f"{path}: {name} loads {loads}"
        elements = lines[1 + m + k:]
        assert len(elements) == beams[kind], f"{path}: {name} has {len(elements)} beams"
        for line in elements:
            lead, keys = fields(line)
            ids.append(int(lead[0]))
            assert all(1 <= int(v) <= n for v in lead[1:3]), f"{path}: {line}"
            assert 1 <= int(keys["M"][0]) <= m, f"{path}: {line}"
            assert len(keys["L"]) <= nlc and all(0 <= int(v) <= k for v in keys["L"]), f"{path}: {line}"
            assert len(keys["R"]) == 6 and set(keys["R"]) <= {"0", "1"}, f"{path}: {line}"
            for axis in (v for key, v in keys.items() if key.startswith("DIR")):
                assert len(axis) == 3 and abs(sum(float(v) ** 2 for v in axis) - 1) < 1e-3, f"{path}: {line}"
    assert len(set(ids)) == len(ids), f"{path}: a beam number twice"

    # KorvaLib's reader and the run manager's scan found the same keywords as this reader.
    found = " ".join(sorted({name[:4] for name in names} & KEYWORDS))
    for line in open(path + ".sections").read().split("\n")[:2]:
        assert " ".join(sorted(line.split())) == found, f"{path}: sections {line} against {found}"


def main():
    program, count = sys.argv[1], int(sys.argv[2])
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([program, folder, str(count)], check=True)
        # The hand-worked models, then the seeded ones.
        names = ["PORTAL", "FLOORS"] + [f"M{seed}" for seed in range(1, count + 1)]
        for name in names:
            base = os.path.join(folder, name)
            expect = [int(v) for v in open(base + ".expect").read().split()]
            assert len(expect) == 8, f"{base}.expect"
            check(base, expect)
    print(f"{len(names)} data files read and checked")


if __name__ == "__main__":
    main()
