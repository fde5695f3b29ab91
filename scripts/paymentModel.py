#!/usr/bin/env python3
"""An exact model of the month rule, independent of the program's code.

Every value is a fraction; each operation is rounded as the machine rounds it: to a 64-bit
significand where the program works in extended precision, to a 53-bit one where it stores a
double. The interest shown is the cent amount nearest the month's interest (halves up, the
scaled value formed in extended precision); the remainder is carried into the next month.

    scripts/paymentModel.py               the table of solved payments, as C++ literals
    scripts/paymentModel.py LOAN RATE PAYMENT [MONTHS]   months to repay and the last payment
"""

import math
import sys
from fractions import Fraction as F


def rnd(x, bits):
    """x rounded to `bits` significant bits, halves to even."""
    if x == 0:
        return F(0)
    sign = -1 if x < 0 else 1
    a = abs(x)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if F(2) ** e > a:
        e -= 1
    scale = F(2) ** (bits - 1 - e)
    m = a * scale
    whole = m.numerator // m.denominator
    rest = m - whole
    if rest > F(1, 2) or (rest == F(1, 2) and whole % 2 == 1):
        whole += 1
    return sign * whole / scale


def d(x):
    return rnd(F(x), 53)


def x(v):
    return rnd(v, 64)


REPAID = d("0.004")


def shown_interest(mi):
    m = abs(mi)
    n = math.floor(x(x(100 * m) + F(1, 2)))
    v = d(F(n, 100))
    return -v if mi < 0 and n != 0 else v


def month(state, rate, payment):
    bal, carry, total = state
    mi = d(x(x(x(rate / 1200) * bal) + carry))
    s = shown_interest(mi)
    carry = d(mi - s)
    total = d(total + s)
    principal = d(payment - s)
    if principal > bal:
        principal = bal
    bal = d(bal - principal)
    return (bal, carry, total), s, principal


def run(bal, rate, carry, payment, limit):
    """(months stepped, repaid, state, last month's payment)."""
    state = (bal, carry, F(0))
    n = 0
    last = F(0)
    while state[0] > REPAID and n < limit:
        state, s, principal = month(state, rate, payment)
        last = d(s + principal)
        n += 1
    return n, state[0] <= REPAID, state, last


def solve(bal, rate, carry, months):
    """The smallest whole-cent payment repaying within `months`, by a plain cent-by-cent walk
    from a float estimate."""
    i = float(rate) / 1200
    b = float(bal) + float(carry)
    est = b / months if i == 0 else b * i / (1 - (1 + i) ** -months)
    cents = max(0, math.floor(est * 100) - 2)
    while not run(bal, rate, carry, d(F(cents, 100)), months)[1]:
        cents += 1
    while cents > 0 and run(bal, rate, carry, d(F(cents - 1, 100)), months)[1]:
        cents -= 1
    n = run(bal, rate, carry, d(F(cents, 100)), months)[0]
    return cents, n


def state_after(loan, rate, payment, months):
    _, _, state, _ = run(d(loan), d(rate), F(0), d(payment), months)
    return state


CASES = [
    # loan, rate, months, optional start: (payment, months stepped) before the term begins
    ("250000", "6.5", 360),
    ("204.71", "21.92", 480),
    ("1000", "0", 7),
    ("1000", "0", 3),
    ("0.05", "0", 1),
    ("50", "0", 12000),
    ("1000", "12", 1),
    ("100", "12", 1),
    ("1000", "12", 11),
    ("250000", "6.5", 12000),
    ("999999999", "25", 12000),
    ("1", "99", 12000),
    ("100000", "5", 180),
    ("5000", "18", 24),
    ("1000000", "3.25", 300),
    ("12345.67", "9.99", 61),
    ("3000", "100", 36),
    ("350000", "4.875", 360),
    ("7.77", "0.01", 12),
    ("80000", "0.125", 600),
    ("250000", "7.25", 300, ("1580.18", "6.5", 60)),
    ("120000", "3.9", 97, ("1000", "11.11", 23)),
    ("1000", "12", 2, ("256.28", "12", 2)),
    ("5000", "9.5", 2, ("300", "9.5", 2)),
]


def plan(loan, rate, payment, changes=(), extras=()):
    """A whole schedule: changes are (month, rate or None, payment or None), extras (month,
    amount). Answers months, repaid, total paid, total interest and the last payment."""
    state = (d(loan), F(0), F(0))
    rate, payment = d(rate), d(payment)
    n, paid_total, last = 0, F(0), F(0)
    while state[0] > REPAID and n < 12000:
        for month, r, p in changes:
            if month == n + 1:
                rate = d(r) if r is not None else rate
                payment = d(p) if p is not None else payment
        pay = payment
        for month, amount in extras:
            if month == n + 1:
                pay = d(pay + d(amount))
        state, s, principal = month_(state, rate, pay)
        last = d(s + principal)
        paid_total = d(paid_total + last)
        n += 1
    return n, state[0] <= REPAID, float(paid_total), float(state[2]), float(last)


month_ = month


def hexf(v):
    return float(v).hex()


def table():
    for case in CASES:
        loan, rate, months = case[0], case[1], case[2]
        if len(case) > 3:
            pay, first_rate, stepped = case[3]
            bal, carry, _ = state_after(loan, first_rate, pay, stepped)
            cents, n = solve(bal, d(rate), carry, months)
            print(f'    {{{hexf(bal)}, {rate}, {hexf(carry)}, {months}, {cents / 100:.2f}, {n}}},'
                  f'  // {loan} at {first_rate}, {pay} for {stepped} months')
        else:
            cents, n = solve(d(loan), d(rate), F(0), months)
            print(f'    {{{loan}, {rate}, 0, {months}, {cents / 100:.2f}, {n}}},')


if __name__ == "__main__":
    if len(sys.argv) >= 4:
        limit = int(sys.argv[4]) if len(sys.argv) > 4 else 12000
        n, repaid, state, last = run(d(sys.argv[1]), d(sys.argv[2]), F(0), d(sys.argv[3]), limit)
        print(n, repaid, float(state[0]), float(last), float(state[2]))
    else:
        table()
