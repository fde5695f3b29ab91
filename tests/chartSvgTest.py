#!/usr/bin/env python3
"""The schedule command's SVG chart, read as XML: its balance and interest lines are the CSV's
Remainder and Total interest columns, placed by the chart's own ticks and labels.

usage: chartSvgTest.py QUILLO"""

import csv
import io
import subprocess
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
MOST_POINTS = 1200  # a longer loan keeps every k-th month
# The Light on Dark levels (0 to 63) of the colour role each part is drawn in on the screen.
LEVELS = {"background": (0, 0, 16), "title": (63, 63, 11), "text": (63, 63, 63),
          "axis": (37, 37, 37), "balance": (0, 38, 0), "interest": (63, 28, 21),
          "change": (42, 0, 42), "now": (63, 63, 11)}


def colour(name):
    return "#" + "".join(f"{round(level * 255 / 63):02X}" for level in LEVELS[name])

CASES = [
    # arguments, last month as the CSV gives it, months that start a new rate or payment
    (["250000", "6.5", "1580.18", "--change", "61:8:"], 718, [61]),
    (["1000", "12", "100"], 11, []),
    # Never repaid: the payment is the interest due, all 1000 years of it.
    (["250000", "6", "1250"], 12000, []),
    # Every second month, and the last, an odd one.
    (["250000", "6", "1250.5"], 1569, []),
    # A change to the same rate changes nothing.
    (["100,000", "5", "800", "--change", "25::2000", "--change", "40:5:", "--change", "50:9:"],
     None, [25, 50]),
    # An extra payment in month 24 ends the loan 35 months early; it changes no payment.
    (["250000", "6.5", "--term", "30y", "--extra", "24:10000"], 325, []),
]


def run(quillo, args):
    done = subprocess.run([quillo, "schedule", *args], capture_output=True, check=False)
    if done.returncode != 0:
        raise AssertionError(f"{args}: status {done.returncode}: {done.stderr.decode()}")
    return done.stdout.decode()


def points(element):
    return [tuple(float(v) for v in p.split(",")) for p in element.get("points").split()]


def number(text):
    try:
        return float(text.replace(",", ""))
    except ValueError:
        return None


def read_axes(root):
    lines = [points(p) for p in root.iter(SVG + "polyline") if p.get("class") == "axis"]
    horizontal = max((l for l in lines if l[0][1] == l[-1][1]), key=lambda l: l[-1][0] - l[0][0])
    vertical = max((l for l in lines if l[0][0] == l[-1][0]), key=lambda l: l[-1][1] - l[0][1])
    axis_x, axis_y = vertical[0][0], horizontal[0][1]
    year_ticks = sorted(l[0][0] for l in lines if l[0][0] == l[-1][0] and l[0][1] > axis_y)
    amount_ticks = sorted((l[0][1] for l in lines if l[0][1] == l[-1][1] and l[-1][0] < axis_x),
                          reverse=True)
    # Each text's top: the baseline stands 12 below it in a 16-pixel row.
    texts = [(float(t.get("x")), float(t.get("y")) - 12, t.text) for t in root.iter(SVG + "text")]
    years = [number(s) for x, top, s in sorted(texts) if top > axis_y and number(s) is not None]
    amounts = [number(s) for x, top, s in sorted(texts, key=lambda t: -t[1])
               if x < axis_x and top <= axis_y and number(s) is not None]
    assert len(year_ticks) == len(years) >= 2, (year_ticks, years)
    assert len(amount_ticks) == len(amounts) >= 2, (amount_ticks, amounts)

    def x_of(month):
        return axis_x + month * (year_ticks[-1] - axis_x) / (12 * years[-1])

    def y_of(amount):
        return axis_y - amount * (axis_y - amount_ticks[-1]) / amounts[-1]

    return x_of, y_of


def check_series(name, rows, line, column, start, x_of, y_of):
    expected = {0: start, **{int(r["Month"]): float(r[column]) for r in rows}}
    last = max(expected)
    months = []
    for x, y in line:
        # Coordinates are written to a thousandth of a pixel.
        month = round((x - x_of(0)) / (x_of(1) - x_of(0)))
        assert abs(x - x_of(month)) < 6e-4, f"{name}: x {x} is no whole month"
        assert abs(y - y_of(expected[month])) < 6e-4, \
            f"{name}: month {month} at y {y}, the CSV gives {y_of(expected[month])}"
        months.append(month)
    step = max(1, -(-last // MOST_POINTS))
    assert months[0] == 0 and months[-1] == last, f"{name}: months {months[0]} to {months[-1]}"
    assert months[:-1] == list(range(0, last, step))[:len(months) - 1], f"{name}: every {step}th?"
    assert months[-2] + step >= last, f"{name}: months left out before the last"


def main():
    quillo = sys.argv[1]
    for args, last_month, changes in CASES:
        rows = list(csv.DictReader(io.StringIO(run(quillo, args + ["--format", "csv"]).split(
            "\n(")[0])))
        if last_month is not None:
            assert int(rows[-1]["Month"]) == last_month, (args, rows[-1]["Month"])
        root = ET.fromstring(run(quillo, args + ["--format", "svg"]))
        assert root.tag == SVG + "svg", root.tag
        assert root.find(SVG + "rect").get("fill") == colour("background")
        for element in root.iter():
            painted = element.get("stroke") or element.get("fill")
            if element.get("class") and painted:
                name = element.get("class").split()[0]
                assert painted == colour(name), (name, painted)
            # Dotted as the window draws it: the marks and any projection.
            if "dotted" in (element.get("class") or "").split():
                assert element.get("stroke-dasharray") == "2 2", element.attrib
        # Every text stands whole inside the picture, clear of its left and right edges.
        for text in root.iter(SVG + "text"):
            x, width = float(text.get("x")), float(text.get("textLength"))
            assert x >= 8 and x + width <= 632, (args, text.text, x, width)
        x_of, y_of = read_axes(root)
        loan = float(args[0].replace(",", ""))
        drawn = [p for p in root.iter(SVG + "polyline") if p.get("class") in ("balance", "interest")]
        # The legend's samples are short lines below the axis; the series are the long ones.
        for name, column, start in (("balance", "Remainder", loan), ("interest", "Total interest", 0)):
            line = max((points(p) for p in drawn if p.get("class") == name), key=len)
            check_series(f"{args} {name}", rows, line, column, start, x_of, y_of)
        assert all("dotted" not in p.get("class") for p in drawn), "nothing is projected"
        marks = [points(p) for p in root.iter(SVG + "polyline") if p.get("class") == "change dotted"]
        # The legend's sample is the short one.
        marks = sorted(m[0][0] for m in marks if m[-1][1] - m[0][1] > 20)
        assert len(marks) == len(changes) and all(
            abs(x - x_of(month)) < 6e-4 for x, month in zip(marks, changes)), (args, marks)
    print(f"{len(CASES)} charts match their CSV")


if __name__ == "__main__":
    main()
