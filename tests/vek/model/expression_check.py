"""Random expressions through the evaluator against Python's math.

Each expression is built as a tree, printed as the evaluator's text (with
only the parentheses its left-grouping precedence rules need) and worked out
in Python node by node with the same rules: '^' is a left-grouped power, a
result that is no finite number is an error, sqrt below -1e-12 is an error.
The values must agree within 1e-12 (relative), and so must the errors.
"""
import math
import random
import subprocess
import sys

PREC = {'+': 1, '-': 1, '*': 2, '/': 2, '^': 3}
FUNCS1 = ['abs', 'arccos', 'arcsin', 'arctg', 'cos', 'sin', 'tg', 'cosh', 'sinh', 'tgh', 'exp', 'ln', 'log10', 'sqrt']
FUNCS2 = ['arctg2', 'log', 'min', 'max', 'pow']
VARS = ['x', 'y', 'z', 'r', 's', 're', 'se', 'fe', 'pi', 'e']


class Err(Exception):
    pass


def finite(v):
    if isinstance(v, complex) or math.isnan(v) or math.isinf(v):
        raise Err()
    return v


def guard(f, *a):
    try:
        return finite(f(*a))
    except (ValueError, ZeroDivisionError, OverflowError):
        raise Err()


def apply1(name, a):
    if name == 'abs':
        return a if a >= 0 else -a
    if name in ('arccos', 'arcsin'):
        if a <= -1.00000001 or a >= 1.00000001:
            raise Err()
        a = max(-1.0, min(1.0, a))
        return guard(math.acos if name == 'arccos' else math.asin, a)
    if name == 'arctg':
        return -math.pi / 2 if a < -1e20 else math.pi / 2 if a > 1e20 else math.atan(a)
    if name == 'sqrt':
        if a < -1e-12:
            raise Err()
        return 0.0 if a < 1e-16 else math.sqrt(a)
    f = {'cos': math.cos, 'sin': math.sin, 'tg': math.tan, 'cosh': math.cosh, 'sinh': math.sinh,
         'tgh': math.tanh, 'exp': math.exp, 'ln': math.log, 'log10': math.log10}[name]
    return guard(f, a)


def apply2(name, a, b):
    if name == 'arctg2':
        t = math.atan2(b, a)
        return t + 2 * math.pi if t < 0 else t
    if name == 'log':
        return guard(lambda: math.log(b) / math.log(a))
    if name == 'min':
        return a if b > a else b
    if name == 'max':
        return a if b < a else b
    return guard(math.pow, a, b)


def binop(op, a, b):
    if op == '+':
        return guard(lambda: a + b)
    if op == '-':
        return guard(lambda: a - b)
    if op == '*':
        return guard(lambda: a * b)
    if op == '/':
        return guard(lambda: a / b)
    return guard(lambda: a ** b)


def variables(x, y, z):
    q = x * x + y * y
    if q >= 1e-12:
        r = math.sqrt(q)
        se = math.atan2(y, x)
        s = se + 2 * math.pi if se < 0 else se
        re = math.sqrt(x * x + y * y + z * z)
        fe = math.asin(z / re)
    else:
        r = s = se = 0.0
        re, fe = (z, math.pi / 2) if z > 1e-7 else (-z, -math.pi / 2) if z < -1e-7 else (0.0, 0.0)
    return {'x': x, 'y': y, 'z': z, 'r': r, 's': s, 're': re, 'se': se, 'fe': fe,
            'pi': 3.141592653589793, 'e': 2.718281828459045}


def cased(rng, name):
    return ''.join(c.upper() if rng.random() < 0.3 else c for c in name)


def number(rng):
    k = rng.randrange(5)
    if k == 0:
        return str(rng.randrange(10))
    if k == 1:
        return '%.2f' % rng.uniform(0, 5)
    if k == 2:
        return '%de-%d' % (rng.randrange(1, 9), rng.randrange(1, 3))
    if k == 3:
        return '.%d' % rng.randrange(1, 99)
    return '%dE%d' % (rng.randrange(1, 5), rng.randrange(0, 2))


# A node is (text, precedence, evaluate(vars)).
def leaf(rng):
    if rng.random() < 0.5:
        t = number(rng)
        v = float(t)
        return t, 9, lambda env: v
    name = rng.choice(VARS)
    return cased(rng, name), 9, lambda env: env[name]


def tree(rng, depth):
    if depth <= 0 or rng.random() < 0.25:
        return leaf(rng)
    k = rng.random()
    if k < 0.55:
        op = rng.choice('+-*/^')
        a = tree(rng, depth - 1)
        b = tree(rng, depth - 1)
        ta = a[0] if a[1] >= PREC[op] else '(' + a[0] + ')'
        tb = b[0] if b[1] > PREC[op] else '(' + b[0] + ')'
        sep = ' ' if rng.random() < 0.2 else ''
        return ta + sep + op + sep + tb, PREC[op], lambda env: binop(op, a[2](env), b[2](env))
    if k < 0.65:
        sign = rng.choice('+-')
        a = tree(rng, depth - 1)
        ta = a[0] if a[1] > 1 else '(' + a[0] + ')'
        return '(' + sign + ta + ')', 9, lambda env: binop(sign, 0.0, a[2](env))
    if k < 0.88:
        name = rng.choice(FUNCS1)
        a = tree(rng, depth - 1)
        return cased(rng, name) + '(' + a[0] + ')', 9, lambda env: apply1(name, a[2](env))
    name = rng.choice(FUNCS2)
    a = tree(rng, depth - 1)
    b = tree(rng, depth - 1)
    return (cased(rng, name) + '(' + a[0] + ',' + b[0] + ')', 9,
            lambda env: apply2(name, a[2](env), b[2](env)))


def main():
    program = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 5000
    rng = random.Random(20240611)
    cases = []
    for _ in range(count):
        text, _, ev = tree(rng, rng.randrange(1, 6))
        pts = [rng.choice([0.0, rng.uniform(-5, 5)]) for _ in range(3)]
        try:
            want = ev(variables(*pts))
        except Err:
            want = None
        cases.append((pts, text, want))
    feed = ''.join('%r %r %r\t%s\n' % (p[0], p[1], p[2], t) for p, t, _ in cases)
    out = subprocess.run([program], input=feed.encode('gb18030'), stdout=subprocess.PIPE, check=True).stdout
    lines = out.decode().split('\n')
    bad = 0
    errors = 0
    for (pts, text, want), got in zip(cases, lines):
        if want is None:
            errors += 1
            ok = got == 'ERR'
        else:
            ok = got != 'ERR' and abs(float(got) - want) <= 1e-12 * max(1.0, abs(want))
        if not ok:
            bad += 1
            if bad <= 20:
                print('mismatch at %s: %s -> %s, want %s' % (pts, text, got, 'ERR' if want is None else repr(want)))
    if len(lines) < len(cases):
        print('the evaluator answered %d of %d lines' % (len(lines), len(cases)))
        bad += 1
    print('%d expressions (%d errors), %d mismatches' % (len(cases), errors, bad))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
