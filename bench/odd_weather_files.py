#!/usr/bin/env python3
"""Writes weather files that walk the edges of the format, for comparing two builds.

    odd_weather_files.py OUTDIR [--files N] [--seed S]

The files mix every number form the reader takes (signs, exponents, long mantissas,
spaces around fields, quoted fields, empty fields, "3." and ".5"), line ends of every
kind, parameter columns in any order and subset, unknown heads, weekly and monthly
periods with fractions, values whose PET lands near a half hundredth or beyond 1e17,
and a share of rows that the reader must refuse. bench/check_identical.sh runs two
builds of sorvane-cli over them and compares every byte they write.
"""
import argparse
import os
import random

HEADS = ["TMAX", "TMIN", "RH1", "RH2", "WS", "SS", "EVP"]


def number_text(rng, value):
    """One of the many spellings of `value` that the reader accepts."""
    form = rng.randrange(14)
    if form == 0:
        return repr(value)  # shortest round-trip form, sometimes with an exponent
    if form == 1:
        return f"{value:.1f}"
    if form == 2:
        return f" {value:.2f} "
    if form == 3:
        return f"{value:e}"
    if form == 4:
        return f"{value:.17f}"
    if form == 5:
        return f"+{abs(value):.1f}" if value >= 0 else f"{value:.1f}"
    if form == 6:
        text = f"{value:.1f}"
        return text[1:] if text.startswith("0.") else text  # ".5"
    if form == 7:
        return f"{round(value)}."  # "3."
    if form == 8:
        return f'"{value:.1f}"'
    if form == 9:
        return f"{value:.3f}   "
    if form == 10:
        return f"00{value:.1f}" if value >= 0 else f"{value:.1f}"
    if form == 11:
        return f"{value:.1f}E0"
    if form == 12:
        return f"{value:.21f}"  # more digits than a double holds
    return str(int(value)) if value == int(value) else f"{value:.1f}"


def parameter_value(rng, head, scale):
    base = {
        "TMAX": rng.uniform(-5, 45),
        "TMIN": rng.uniform(-15, 30),
        "RH1": rng.uniform(0, 100),
        "RH2": rng.uniform(0, 100),
        "WS": rng.uniform(0, 30),
        "SS": rng.uniform(0, 13),
        "EVP": rng.uniform(0, 15) * scale,
    }[head]
    pick = rng.randrange(40)
    if pick == 0:
        return 0.0
    if pick == 1:
        return -base
    if pick == 2:
        return base * 1e18  # results beyond 1e17 take the long rendering
    if pick == 3:
        return round(base, 1) + 0.005  # halfway cases of the rendering
    return base


def line_end(rng, style):
    if style == "crlf":
        return "\r\n"
    if style == "cr":
        return "\r"
    if style == "lf":
        return "\n"
    return rng.choice(["\r\n", "\r\n", "\r"])


def a_file(rng, index):
    kind = rng.choice(["daily", "daily", "weekly", "monthly"])
    style = rng.choice(["crlf", "crlf", "crlf", "cr", "lf", "mixed"])
    heads = HEADS[:]
    rng.shuffle(heads)
    heads = heads[: rng.randint(1, 7)]
    if rng.random() < 0.2:
        heads[rng.randrange(len(heads))] = rng.choice(["PRESS", "TMAX1", "T MAX", "rh 1", "Ws", "xyz"])
    period = {"daily": ["Date"], "weekly": ["Year", "Week"], "monthly": ["Year", "Month"]}[kind]
    end = lambda: line_end(rng, style)
    latitude = rng.choice([rng.uniform(-60, 60), 14.41, 0.0, rng.uniform(8, 30)])
    lines = [f"Odd station {index}", "Latitude,Longitude,Elevation",
             f"{latitude:.2f},{rng.uniform(68, 96):.2f},{rng.randint(0, 3000)}", ",".join(period + heads)]
    text = "".join(line + end() for line in lines)
    scale = {"daily": 1, "weekly": 7, "monthly": 30}[kind]
    refuse_at = rng.randrange(400) if rng.random() < 0.15 else -1
    for row in range(rng.randint(0, 300)):
        if kind == "daily":
            year = rng.randint(1896, 2104)
            month = rng.randint(1, 12)
            day = rng.randint(1, 28)
            key = rng.choice([f"{month:02d}/{day:02d}/{year}", f"{month}/{day}/{year}", f" {month:02d}/{day:02d}/{year} "])
            fields = [key]
        else:
            number = rng.randint(1, 12 if kind == "monthly" else 53)
            number_field = rng.choice([str(number), f" {number} ", f"{number}.0", str(number) + "."])
            if kind == "weekly" and rng.random() < 0.1:
                number_field = f"{number + 0.5}"
            fields = [str(rng.randint(1900, 2100)), number_field]
        for head in heads:
            if rng.random() < 0.05:
                fields.append("")
            else:
                value = parameter_value(rng, head.upper().replace(" ", "") if head.upper().replace(" ", "") in HEADS else "TMAX", scale)
                fields.append(number_text(rng, value))
        if row == refuse_at:
            fields[rng.randrange(len(fields))] = rng.choice(["abc", "1,5", "nan", "inf", "13/45/2000", "1e999", "--5"])
        text += ",".join(fields) + end()
    if rng.random() < 0.8:
        text += rng.choice(["&", " & ", "&,,,"]) + end()
        if rng.random() < 0.3:
            text += "trailing text after the end" + end()
    return text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--files", type=int, default=300)
    parser.add_argument("--seed", type=int, default=7)
    arguments = parser.parse_args()
    rng = random.Random(arguments.seed)
    os.makedirs(arguments.out, exist_ok=True)
    for index in range(1, arguments.files + 1):
        with open(os.path.join(arguments.out, f"ODD_{index:04d}.csv"), "w", newline="") as f:
            f.write(a_file(rng, index))


if __name__ == "__main__":
    main()
