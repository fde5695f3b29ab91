#!/usr/bin/env python3
"""An exact model of the month rule, independent of the program's code.

Every value is a fraction; each operation is rounded as the machine rounds it: to a 64-bit
significand where the program works in extended precision, to a 53-bit one where it stores a
double. The interest shown is the cent amount nearest the month's interest (halves up, the
scaled value formed in extended precision); the remainder is carried into the next month.

    scripts/paymentModel.py               the table of solved payments, as C++ literals
    scripts/paymentModel.py plans         the table of whole plans and their savings
    scripts/paymentModel.py summary N     the summary lines of plan N of the plans table
    scripts/paymentModel.py loans         the table of largest loans for a payment
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


month_ = month


def interest_due(bal, rate):
    """One month's interest as the payment is checked against it: multiplied, then divided."""
    return d(x(x(bal * rate) / 1200))


def filled_payment(mi):
    """The interest due shown to the cent, a cent more where that falls below it."""
    v = shown_interest(mi)
    return v if v >= mi else d(F(math.floor(x(x(100 * x(mi + F(1, 100))) + F(1, 2))), 100))


def confirm(bal, rate, payment):
    """The payment Continue leaves in force, or None when it is refused."""
    mi = interest_due(bal, rate)
    if payment >= mi:
        return payment
    return filled_payment(mi) if payment == 0 else None


def note_payment(payments, month, payment):
    """Each payment in force with its first month; one replaced in its own month."""
    if payments and payments[-1][1] == payment:
        return
    if payments and payments[-1][0] == month:
        payments.pop()
    if not payments or payments[-1][1] != payment:
        payments.append((month, payment))


def walk(loan, rate, payment, term=0, changes=(), extras=(), plain=False, payments=None):
    """A whole plan as the program walks it. changes: (month, rate or None, payment or None,
    keep); extras: (month, amount). Answers ("ok", months, repaid, total paid, total interest,
    last payment) or (problem, month). `payments`, a list, gets each payment with its first
    month."""
    payments = [] if payments is None else payments
    bal, rate = d(loan), d(rate)
    payment = d(payment)
    if term:
        cents, _ = solve(bal, rate, F(0), term)
        payment = d(F(cents, 100))
    payment = confirm(bal, rate, payment)
    if payment is None:
        return ("short", 1)
    note_payment(payments, 1, payment)
    state = (bal, F(0), F(0))
    n, paid_total, last = 0, F(0), F(0)
    while state[0] > REPAID and n < 12000:
        for month, r, p, keep in changes:
            if month != n + 1:
                continue
            keep = keep and not plain
            end = term
            if keep and end == 0:
                end = n + run(state[0], rate, state[1], payment, 12000 - n)[0]
            if keep and end <= n:
                return ("passed", n + 1)
            rate = d(r) if r is not None else rate
            payment = d(p) if p is not None else payment
            if keep:
                cents, _ = solve(state[0], rate, state[1], end - n)
                payment = d(F(cents, 100))
            due = filled_payment(interest_due(state[0], rate))
            payment = confirm(state[0], rate, payment)
            if payment is None:
                return ("short", n + 1, due)
            note_payment(payments, n + 1, payment)
        pay = payment
        if not plain:
            for month, amount in extras:
                if month == n + 1:
                    pay = d(pay + d(amount))
        state, s, principal = month_(state, rate, pay)
        last = d(s + principal)
        paid_total = d(paid_total + last)
        n += 1
    return ("ok", n, state[0] <= REPAID, paid_total, state[2], last)


# loan, rate, payment, term, changes (month, rate, payment, keep), extras (month, amount)
PLANS = [
    ("250000", "6.5", "0", 360, [], []),
    ("250000", "6.5", "0", 360, [], [(24, "10000")]),
    ("250000", "6.5", "0", 360, [(61, "7.25", None, True)], []),
    ("250000", "6.5", "1580.18", 0, [(61, "7.25", None, True)], []),
    ("250000", "6.5", "0", 360, [], [(24, "5000")]),
    ("1000", "12", "100", 0, [], [(3, "500"), (3, "4500")]),
    ("1000", "12", "100", 0, [(2, "24", None, False)], []),
    ("1000", "12", "100", 0, [(5, None, "200", False)], []),
    ("1000", "12", "100", 0, [], [(20, "50")]),
    ("100", "12", "500", 0, [], []),
    ("10000", "6", "0", 24, [(2, None, "100", False), (30, "6", None, True)], []),
    ("250000", "6.5", "1580.18", 0, [(61, "20", None, True)], []),
    ("50000", "0", "500", 0, [], [(1, "1000")]),
    ("100000", "12", "1000", 0, [], [(6000, "50000")]),
    ("5000", "18", "0", 24, [(13, "9", None, True)], [(6, "1000")]),
    ("120000", "3.9", "0", 97, [(24, "11.11", None, False), (24, None, None, True)], []),
    ("250000", "6.5", "0", 360, [(400, "8", None, True)], []),
    ("1000", "12", "0", 0, [], [(2, "1")]),
    ("350000", "4.875", "1852.23", 0, [(13, "5.5", "2000", False), (121, None, None, True)],
     [(60, "20000"), (60, "0.01"), (200, "1000000")]),
    ("204.71", "21.92", "0", 480, [(61, None, None, True)], []),
]


def cents(v):
    return f"{float(v):.2f}"


def plans_table():
    for loan, rate, payment, term, changes, extras in PLANS:
        main = walk(loan, rate, payment, term, changes, extras)
        compared = bool(extras) or any(c[3] for c in changes)
        plain = walk(loan, rate, payment, term, changes, extras, True) if compared else None
        if main[0] != "ok":
            print(f"    // {loan} {rate} {payment} term {term} {changes} {extras}: {main}")
            continue
        _, n, repaid, paid, interest, last = main
        line = f"{n}, {str(repaid).lower()}, {cents(paid)}, {cents(interest)}, {cents(last)}"
        if plain is None:
            line += ", NOT_COMPARED"
        elif plain[0] != "ok":
            line += f", PLAIN_CANNOT_RUN_IN_MONTH({plain[1]})"
        else:
            line += f", {plain[1]}, {cents(plain[4])}, {plain[1] - n}, {cents(plain[4] - interest)}"
        print(f"    // {loan} {rate} {payment} term {term} {changes} {extras}\n    {{{line}}},")


def summary_lines(loan, rate, payment, term, changes, extras):
    """The lines `quillo schedule ... --format summary` prints for a plan that runs, and runs
    without its extras and kept end dates."""
    def figures(plain):
        payments = []
        _, n, _, paid, interest, last = walk(loan, rate, payment, term, changes, extras, plain,
                                             payments)
        shown = ", ".join(cents(p) + ("" if m == payments[0][0] else f" from month {m}")
                          for m, p in payments)
        return n, interest, [f"Payment: {shown}",
                             f"Months: {n} ({n // 12} years and {n % 12} months)",
                             f"Total paid: {cents(paid)}", f"Total interest: {cents(interest)}",
                             f"Last payment: {cents(last)}"]
    n, interest, lines = figures(False)
    if extras or any(c[3] for c in changes):
        plain = walk(loan, rate, payment, term, changes, extras, True)
        if plain[0] == "short":
            due = f"{float(plain[2]):,.2f}"
            return lines + ["Without the extra payments and kept end dates the plan cannot run: "
                            f"in month {plain[1]} the payment is below the interest due (${due})"]
        plain_n, plain_interest, plain_lines = figures(True)
        lines += ["Without the extra payments and kept end dates:"] + plain_lines
        lines.append(f"Saved: {plain_n - n} months, {cents(plain_interest - interest)} interest")
    return lines


def largest_loan(payment, rate, months):
    """The largest whole-cent loan the payment repays within the months and Continue accepts,
    by a cent-by-cent walk from a float estimate; answers it and the months it takes."""
    p, r = d(payment), d(rate)
    i = float(r) / 1200
    est = float(p) * months if i == 0 else float(p) * (1 - (1 + i) ** -months) / i
    c = max(0, math.floor(est * 100) + 2)

    def fits(c):
        bal = d(F(c, 100))
        return p >= interest_due(bal, r) and run(bal, r, F(0), p, months)[1]

    while c > 0 and not fits(c):
        c -= 1
    while fits(c + 1):
        c += 1
    return c, run(d(F(c, 100)), r, F(0), p, months)[0], run(d(F(c + 1, 100)), r, F(0), p, 12000)[0]


LOANS = [("1500", "6.5", 360), ("1580.18", "6.5", 360), ("100", "0", 12), ("0.01", "0", 1),
         ("100", "12", 1), ("1000", "12", 12000), ("50", "0", 12000), ("10", "0.01", 12000),
         ("0", "5", 12), ("1000", "100", 36)]


def loans_table():
    for payment, rate, months in LOANS:
        c, n, more = largest_loan(payment, rate, months)
        print(f"    {{{payment}, {rate}, {months}, {c / 100:.2f}, {n}, {more}}},")


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
    if sys.argv[1:] == ["plans"]:
        plans_table()
    elif sys.argv[1:2] == ["summary"] and len(sys.argv) == 3:
        print("\n".join(summary_lines(*PLANS[int(sys.argv[2])])))
    elif sys.argv[1:] == ["loans"]:
        loans_table()
    elif len(sys.argv) >= 4:
        limit = int(sys.argv[4]) if len(sys.argv) > 4 else 12000
        n, repaid, state, last = run(d(sys.argv[1]), d(sys.argv[2]), F(0), d(sys.argv[3]), limit)
        print(n, repaid, float(state[0]), float(last), float(state[2]))
    else:
        table()
