#!/usr/bin/env python3
"""How far Quillo's schedule stays exact to the cent: its rows against an exact model.

The model keeps every amount as an exact fraction of the decimals typed: each month's interest
is rate / 1200 x balance + the carried remainder, shown as the nearest cent (halves away from
zero), the remainder carried on; the principal is the payment less the interest shown, at most
the balance. The program works in binary (doubles, a 64-bit significand for the interest), so a
month whose exact interest lies at or within a hair of a half cent may show either cent: that
counts as agreement, and the model goes on from the cent the program showed. Anything else is a
fault: a row whose interest, principal, remainder, total interest or payment differs from the
model's, a remainder that is not the last one less the principal, a total that does not add up,
a wrong month count, or a summary whose totals are not the rows' sums. A refusal (status 2) is
reported as such.

Each ladder climbs one amount over rungs of growing size, each rung several schedules (rates,
payments and terms from one month to the 1000-year limit):

    scripts/measureExactRange.py QUILLO [loan|interest|payment]...

prints each rung as "agrees", "refused" or the first fault found, then the largest rung below
the first fault.
"""

import math
import os
from concurrent.futures import ProcessPoolExecutor
import subprocess
import sys
from fractions import Fraction as F

MONTH_LIMIT = 12000
CENT = F(1, 100)
# At or within this of a half cent, the binary arithmetic may decide either way: a hundredth of
# a cent. The doubles' rounding errors are carried with the remainder from month to month, so
# they grow with the amounts and the months: a 30-year loan of 250,000 drifts by about 1e-9, a
# thousand years of interest on 100,000,000 by some 1e-5.
HAIR = F(1, 10**4)
# How far from the half cent each cent decided the other way lay, in the schedules checked.
NEAR_HALVES = []
WORKERS = int(os.environ.get("WORKERS", "3"))


def cents_half_away(value):
    """value rounded to the cent, halves away from zero."""
    scaled = abs(value) * 100
    n = math.floor(scaled + F(1, 2))
    return (n if value >= 0 else -n) * CENT


def money(text):
    return F(text)


def decimal(value):
    """A fraction of whole cents as the CSV writes it."""
    cents = value * 100
    assert cents.denominator == 1, value
    sign = "-" if cents < 0 else ""
    whole, rest = divmod(abs(cents.numerator), 100)
    return f"{sign}{whole}.{rest:02d}"


def run(quillo, args):
    done = subprocess.run([quillo, "schedule", *args], capture_output=True, text=True,
                          check=False)
    return done.returncode, done.stdout, done.stderr


def check_schedule(quillo, loan, rate, payment):
    """None when the program's rows and summary agree with the model, "refused" when it
    refuses the inputs, else a description of the first fault."""
    args = [loan, rate, payment]
    status, out, err = run(quillo, args)
    if status == 2:
        return "refused: " + err.splitlines()[0]
    if status != 0:
        return f"status {status}: {err.strip()}"
    if "E+" in out or "e+" in out:
        return "an exponent in the CSV"
    lines = out.splitlines()
    rows = [line.split(",") for line in lines[1:-1]]
    totals = lines[-1]

    r = money(rate) / 1200
    pay = money(payment)
    balance, carry, total, paid_sum = money(loan), F(0), F(0), F(0)
    last_remainder = balance
    last_total = F(0)
    month = 0
    last_paid = F(0)
    for row in rows:
        month += 1
        where = f"{' '.join(args)}: month {month}"
        if int(row[0]) != month:
            return f"{where}: numbered {row[0]}"
        paid, interest, principal, remainder, row_total = (money(v) for v in
                                                          (row[2], row[3], row[4], row[5],
                                                           row[6]))
        # The row's own arithmetic.
        if remainder != last_remainder - principal:
            return f"{where}: remainder {row[5]}, but {decimal(last_remainder)} - {row[4]}"
        if row_total != last_total + interest:
            return f"{where}: total {row[6]}, but {decimal(last_total)} + {row[3]}"
        if paid != interest + principal:
            return f"{where}: paid {row[2]}, but {row[3]} + {row[4]}"
        # The model's month.
        exact = r * balance + carry
        shown = cents_half_away(exact)
        if interest != shown:
            half = (interest + shown) / 2
            if abs(interest - shown) != CENT or abs(exact - half) > HAIR:
                return (f"{where}: interest {row[3]}, exact {float(exact):.6f} "
                        f"shows {decimal(shown)}")
            NEAR_HALVES.append(abs(exact - half))
            shown = interest
        carry = exact - shown
        total += shown
        take = pay - shown
        if take > balance:
            take = balance
        balance -= take
        for name, got, want in (("principal", principal, take), ("remainder", remainder, balance),
                                ("total interest", row_total, total)):
            if got != want:
                return f"{where}: {name} {decimal(got)}, exact {decimal(want)}"
        paid_sum += shown + take
        last_paid = shown + take
        last_remainder, last_total = remainder, row_total
        if balance == 0 or month == MONTH_LIMIT:
            break
    if month != len(rows):
        return f"{' '.join(args)}: {len(rows)} months, exact {month}"
    if balance != 0 and month < MONTH_LIMIT:
        return f"{' '.join(args)}: stops at month {month} owing {decimal(balance)}"
    want = f"({month // 12} years and {month % 12} months)"
    if balance != 0:
        want += "  and you still haven't paid it off!!!"
    if totals != want:
        return f"{' '.join(args)}: totals line {totals!r}, exact {want!r}"

    status, out, err = run(quillo, args + ["--format", "summary"])
    if status != 0:
        return f"{' '.join(args)} summary: status {status}: {err.strip()}"
    figures = dict(line.split(": ", 1) for line in out.splitlines())
    expected = {
        "Payment": decimal(pay),
        "Months": f"{month} {want}",
        "Total paid": decimal(paid_sum),
        "Total interest": decimal(total),
        "Last payment": decimal(last_paid),
    }
    for name, value in expected.items():
        if figures.get(name) != value:
            return f"{' '.join(args)} summary: {name}: {figures.get(name)}, exact {value}"
    if balance == 0 and money(figures["Total paid"]) - money(figures["Total interest"]) != \
            money(loan):
        return f"{' '.join(args)} summary: total paid less interest is not the loan"
    return None


def up_to_cent(value):
    return math.ceil(value * 100) * CENT


def annuity(loan, rate, months):
    """A payment near the one that repays in `months` months, in whole cents."""
    i = money(rate) / 1200
    if i == 0:
        return up_to_cent(money(loan) / months)
    try:
        growth = (1 + float(i)) ** months
    except OverflowError:  # the interest alone, as near as makes no difference
        return up_to_cent(money(loan) * i) + CENT
    return up_to_cent(money(loan) * i * F(growth) / (F(growth) - 1)) + CENT


def cases_for(loan, rates):
    """Schedules of a loan at each rate: one month, one year, 30 years, 1000 years, and a cent
    more than the interest due: the balance then falls by about a cent a month for 1000 years,
    each time rounded the same way, and that remainder is carried into the interest. These are
    the schedules whose rounding errors add up the most."""
    for rate in rates:
        due = up_to_cent(money(loan) * money(rate) / 1200)
        payments = [money(loan) + due, annuity(loan, rate, 12), annuity(loan, rate, 360),
                    annuity(loan, rate, MONTH_LIMIT), due + CENT]
        for payment in payments:
            yield loan, rate, decimal(payment)


def amount_text(value):
    """An amount as typed: cents only when it has them, at most 16 characters."""
    text = decimal(value)
    if text.endswith(".00"):
        text = text[:-3]
    return text if len(text) <= 16 else None


def rate_for(loan, interest):
    """A rate as typed (at most 16 characters) that gives about this interest a month."""
    rate = F(1200) * interest / money(loan)
    return f"{float(rate):.12f}".rstrip("0").rstrip(".")[:16]


def loans_near(k):
    """Loans of about 10^k: 10^k less a cent, one with many digits, and one just above a power
    of two, where a double's spacing is widest for its size."""
    digits = F(123456789012345678 // 10**(16 - k), 100)  # 1234567.89 for 10^7
    power = 2 ** math.floor(math.log2(10**k))
    loans = (amount_text(F(10**k) - CENT), amount_text(digits), amount_text(power + CENT))
    return [loan for loan in loans if loan]


def loan_ladder():
    """Loans of about 10^k at rate 0 and at a rate that gives 100 interest a month: the
    interest has a ladder of its own."""
    for k in range(8, 14):
        cases = [c for loan in loans_near(k) for c in cases_for(loan, ["0", rate_for(loan, 100)])]
        yield f"loan 10^{k}", cases


def interest_ladder(loan_bound):
    """Interest of 10^j and 3 x 10^j a month on the largest loan, and on loans of about a
    tenth and a hundredth of it."""
    k = len(loan_bound.split(".")[0])
    loans = [loan_bound] + loans_near(k - 2)[2:] + loans_near(k - 3)[2:]
    for j in range(4, 8):
        for interest in (10**j, 3 * 10**j):
            cases = [c for loan in loans for c in cases_for(loan, [rate_for(loan, interest)])]
            yield f"interest {interest} a month", cases


def payment_ladder(loan_bound):
    """The longest payments a field holds, of about 10^k, on a small loan and on the largest
    one: most repay in the first month."""
    for k in range(9, 17):
        payment = "9" * k + ("." + "9" * min(2, 15 - k) if k < 15 else "")
        cases = [(loan, rate, payment) for loan in ("1000", loan_bound) for rate in ("0", "6.5")]
        yield f"payment 10^{k}", cases


def check_in_worker(job):
    quillo, case = job
    NEAR_HALVES.clear()
    return check_schedule(quillo, *case), list(NEAR_HALVES)


def climb(quillo, ladder):
    best = None
    for name, cases in ladder:
        with ProcessPoolExecutor(WORKERS) as pool:
            results = list(pool.map(check_in_worker, [(quillo, c) for c in cases]))
        NEAR_HALVES[:] = [near for _, halves in results for near in halves]
        faults = [f for f, _ in results if f]
        refused = [f for f in faults if f.startswith("refused")]
        real = [f for f in faults if not f.startswith("refused")]
        if real:
            print(f"{name}: {len(real)} of {len(cases)} schedules wrong; first: {real[0]}")
            break
        if refused:
            print(f"{name}: {len(refused)} of {len(cases)} refused ({refused[0]})")
        else:
            print(f"{name}: {len(cases)} schedules agree", end="")
            if NEAR_HALVES:
                print(f"; {len(NEAR_HALVES)} cents decided the other way, at most "
                      f"{float(max(NEAR_HALVES)):.1e} from the half cent", end="")
            print()
        best = name
        sys.stdout.flush()
    print(f"largest agreeing: {best}")


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    quillo = sys.argv[1]
    which = sys.argv[2:] or ["loan", "interest", "payment"]
    loan_bound = os.environ.get("LARGEST_LOAN", "99999999.99")
    for name in which:
        ladder = {"loan": loan_ladder, "interest": lambda: interest_ladder(loan_bound),
                  "payment": lambda: payment_ladder(loan_bound)}[name]()
        climb(quillo, ladder)


if __name__ == "__main__":
    main()
