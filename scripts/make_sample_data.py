#!/usr/bin/env python3
"""Make the sample data that installs with the ApplicationFolder skeleton.

Everything written here is invented: the station "Kestrel Ridge" does not exist
and the heat index grid is an illustrative field, not a published one. Users
replace support/heat_index_data.csv with the grid of their own region.

Files written, under the ApplicationFolder (default: appfolder/ beside this
script's folder, or the folder given as the only argument):

  data/PET_DATA/KESTREL.csv          daily weather, 01/01/2011 to 12/31/2012
  data/PET_DATA/KESTREL_LOGGER.csv   the daily file with a few faults typed in, for check
  data/PET_DATA/KESTREL_WEEKLY.csv   weeks 1..52 of 2011 and 2012 (EVP in mm/week)
  data/PET_DATA/KESTREL_MONTHLY.csv  months of 2009..2012 (EVP in mm/month)
  support/heat_index_data.csv        Thornthwaite heat index on a 1-degree grid
  OUTPUT/.keep                       keeps the empty results folder in git

The weekly and monthly files are the means (EVP: totals) of one daily series,
so all three files tell the same story. The generator is seeded and uses only
arithmetic on random.random() draws (no libm calls), so every run on every
machine writes byte-identical files. Python 3 standard library only.
"""

import datetime
import math
import random
import sys
from pathlib import Path

kSeed = 20111231
kEol = "\r\n"

kStationName = "Kestrel Ridge"
kLatitudeDeg, kLongitudeDeg, kElevationM = "14.41", "77.37", "350"
kFileStem = "KESTREL"

kFirstMonthlyYear = 2009   # the monthly file reaches back further than the daily one
kFirstDailyYear = 2011
kLastYear = 2012
kWeeksPerYear = 52

# Monthly normals of an invented semi-arid tropical station on a plateau at
# about 14 deg N: hot dry spring, south-west monsoon June to September, mild
# dry winter. Columns: TMAX degC, TMIN degC, RH1 % (morning), RH2 % (afternoon),
# WS km/h, SS hours, EVP mm/day, cloudiness spread (how wet spells swing the day).
kNormals = (
    # TMAX  TMIN  RH1  RH2   WS    SS  EVP   spread
    (30.4, 16.2, 80, 36, 5.2, 9.8, 5.2, 0.3),   # Jan
    (33.4, 18.4, 72, 29, 5.4, 10.2, 6.6, 0.3),  # Feb
    (36.4, 21.4, 63, 24, 6.0, 10.0, 8.6, 0.4),  # Mar
    (38.4, 24.0, 60, 26, 7.4, 9.7, 10.2, 0.5),  # Apr
    (37.8, 24.8, 62, 32, 11.0, 9.0, 10.6, 0.7),  # May
    (34.4, 24.2, 70, 44, 15.6, 6.6, 9.2, 1.0),  # Jun
    (32.6, 23.4, 74, 51, 15.8, 5.6, 8.0, 1.0),  # Jul
    (32.4, 23.0, 77, 53, 13.4, 5.8, 7.2, 1.0),  # Aug
    (32.4, 22.6, 81, 56, 9.0, 6.6, 6.2, 1.0),   # Sep
    (31.4, 21.6, 84, 57, 6.2, 7.0, 5.2, 0.9),   # Oct
    (30.0, 18.6, 83, 51, 6.0, 8.0, 4.6, 0.7),   # Nov
    (29.4, 16.0, 82, 44, 5.4, 8.8, 4.6, 0.4),   # Dec
)
assert len(kNormals) == 12

# Plausible bounds of the daily values at such a station.
kTmaxC = (27.0, 41.0)
kTminC = (12.0, 27.0)
kMinDiurnalRangeC = 3.0
kRh1Pct = (40, 95)
kRh2Pct = (15, 75)
kMinRhDropPct = 5           # afternoon humidity stays at least this far below morning
kWindKmh = (1.0, 20.0)
kCalmWindKmh = (1.0, 1.5)   # calm days, below the 1.6 km/h wind floor of the reader
kSunshineH = (0.0, 11.0)    # day length at 14.4 deg N is about 11.2 to 12.9 h
kEvaporationMm = (2.0, 14.0)


def Noise(rng):
    """Roughly normal, mean 0, standard deviation 0.5, bounded to +-1.5 (sum of three uniforms)."""
    return rng.random() + rng.random() + rng.random() - 1.5


def Clamp(value, bounds):
    low, high = bounds
    return max(low, min(high, value))


def RoundHalfUp(value, places):
    """Integer count of 10^-places units; floor is exact, so the result is the same everywhere."""
    scale = 10 ** places
    return math.floor(value * scale + 0.5)


def Shortest(value, places):
    """value rounded to `places` decimals, written without trailing zeros ("4", "4.2", "148.25")."""
    units = RoundHalfUp(value, places)
    scale = 10 ** places
    whole, fraction = divmod(units, scale)
    if fraction == 0:
        return str(whole)
    digits = str(fraction).rjust(places, "0").rstrip("0")
    return f"{whole}.{digits}"


def SoftCeiling(value, knee, ceiling):
    """value unchanged up to knee, then bent smoothly towards ceiling without reaching it.

    Keeps a bounded quantity from piling up on its bound as a hard clamp would.
    """
    if value <= knee:
        return value
    excess, room = value - knee, ceiling - knee
    return knee + room * excess / (excess + room)


def Rounded(value, places):
    return RoundHalfUp(value, places) / 10 ** places


def NormalsOn(day):
    """Normals interpolated linearly between mid-month points (the 15th), wrapping over the year end."""
    if day.day >= 15:
        this_month, next_month = day.month, day.month % 12 + 1
        start = datetime.date(day.year, this_month, 15)
        end_year = day.year + (1 if this_month == 12 else 0)
        end = datetime.date(end_year, next_month, 15)
    else:
        next_month = day.month
        this_month = (day.month - 2) % 12 + 1
        start_year = day.year - (1 if day.month == 1 else 0)
        start = datetime.date(start_year, this_month, 15)
        end = datetime.date(day.year, next_month, 15)
    share = (day - start).days / (end - start).days
    a, b = kNormals[this_month - 1], kNormals[next_month - 1]
    return tuple(x + (y - x) * share for x, y in zip(a, b))


class DailyWeather:
    """One day's values, already rounded as the daily file writes them."""

    __slots__ = ("day", "tmax", "tmin", "rh1", "rh2", "ws", "ss", "evp")

    def __init__(self, day, tmax, tmin, rh1, rh2, ws, ss, evp):
        self.day, self.tmax, self.tmin = day, tmax, tmin
        self.rh1, self.rh2, self.ws, self.ss, self.evp = rh1, rh2, ws, ss, evp


def DailySeries(rng):
    """Daily weather from 1 January of the first monthly year to 31 December of the last year.

    A persistent cloudiness anomaly (wet spell > 0, clear spell < 0) moves the
    parameters together the way a real spell does; small independent noise is
    added on top. Each year gets a small offset so the years differ.
    """
    year_offset_c = {y: 0.8 * Noise(rng) for y in range(kFirstMonthlyYear, kLastYear + 1)}
    cloud = 0.0
    temperature_anomaly_c = 0.0
    series = []
    day = datetime.date(kFirstMonthlyYear, 1, 1)
    last = datetime.date(kLastYear, 12, 31)
    while day <= last:
        tmax_n, tmin_n, rh1_n, rh2_n, ws_n, ss_n, evp_n, spread = NormalsOn(day)
        cloud = 0.65 * cloud + 1.4 * Noise(rng)
        c = spread * cloud
        temperature_anomaly_c = 0.7 * temperature_anomaly_c + 1.0 * Noise(rng)
        warm = year_offset_c[day.year] + temperature_anomaly_c

        tmax = Rounded(Clamp(tmax_n + warm - 1.6 * c + 0.6 * Noise(rng), kTmaxC), 1)
        tmin = Clamp(tmin_n + 0.6 * warm + 0.5 * c + 0.8 * Noise(rng), kTminC)
        tmin = Rounded(min(tmin, tmax - kMinDiurnalRangeC), 1)
        rh1 = RoundHalfUp(Clamp(rh1_n + 7.0 * c + 4.0 * Noise(rng), kRh1Pct), 0)
        rh2 = Clamp(rh2_n + 9.0 * c + 4.0 * Noise(rng), kRh2Pct)
        rh2 = RoundHalfUp(min(rh2, rh1 - kMinRhDropPct), 0)
        calm = day.month in (11, 12, 1, 2) and rng.random() < 0.04
        if calm:
            ws = kCalmWindKmh[0] + (kCalmWindKmh[1] - kCalmWindKmh[0]) * rng.random()
        else:
            ws = ws_n * (1.0 + 0.5 * Noise(rng)) + 1.5 * c
            ws = Clamp(SoftCeiling(ws, 15.0, kWindKmh[1]), kWindKmh)
        ws = Rounded(ws, 1)
        ss = SoftCeiling(ss_n - 2.8 * c + 0.8 * Noise(rng), 10.0, kSunshineH[1])
        ss = Rounded(Clamp(ss, kSunshineH), 1)
        evp = Rounded(Clamp(evp_n * (1.0 + 0.25 * Noise(rng)) - 1.4 * c + 0.3 * warm,
                            kEvaporationMm), 1)
        series.append(DailyWeather(day, tmax, tmin, rh1, rh2, ws, ss, evp))
        day += datetime.timedelta(days=1)
    return series


def ParameterFields(days, evp_total):
    """Means of a run of days (EVP summed when evp_total), formatted as the files write them."""
    count = len(days)

    def Mean(name):
        return sum(getattr(d, name) for d in days) / count

    evp = sum(d.evp for d in days) if evp_total else Mean("evp")
    return [Shortest(Mean("tmax"), 1), Shortest(Mean("tmin"), 1),
            Shortest(Mean("rh1"), 0), Shortest(Mean("rh2"), 0),
            Shortest(Mean("ws"), 1), Shortest(Mean("ss"), 1), Shortest(evp, 1)]


def StationHeader(period_heads):
    return [kStationName, "Latitude,Longitude,Elevation",
            f"{kLatitudeDeg},{kLongitudeDeg},{kElevationM}",
            ",".join(period_heads + ["TMAX", "TMIN", "RH1", "RH2", "WS", "SS", "EVP"])]


def DailyLines(series):
    lines = StationHeader(["Date"])
    for d in series:
        if d.day.year < kFirstDailyYear:
            continue
        lines.append(",".join([d.day.strftime("%m/%d/%Y")] + ParameterFields([d], False)))
    lines.append("&")
    return lines


# The sample daily file as a station logger might have delivered it, for `sorvane-cli check`:
# four values mistyped (by date: the field and what was typed), two days lost, one repeated.
kLoggerFaults = {
    "01/05/2011": ("TMAX", "12.2"),  # below the day's TMIN
    "01/08/2011": ("RH1", "-99"),    # a missing-value code
    "01/16/2011": ("SS", "13.1"),    # longer than the day
    "01/21/2011": ("RH2", "104"),    # above 100 %
}
kLoggerDaysLost = ("01/30/2011", "01/31/2011")
kLoggerDayRepeated = "02/10/2011"


def LoggerLines(daily_lines):
    heads = daily_lines[3].split(",")
    lines = daily_lines[:4]
    for line in daily_lines[4:]:
        fields = line.split(",")
        if fields[0] in kLoggerDaysLost:
            continue
        if fields[0] in kLoggerFaults:
            head, typed = kLoggerFaults[fields[0]]
            fields[heads.index(head)] = typed
        lines.append(",".join(fields))
        if fields[0] == kLoggerDayRepeated:
            lines.append(lines[-1])
    return lines


def WeeklyLines(series):
    """Week w of a year is days 7(w-1)+1 .. 7w of that year; the last day or two fall in no week."""
    lines = StationHeader(["Year", "Week"])
    for year in range(kFirstDailyYear, kLastYear + 1):
        days_of_year = [d for d in series if d.day.year == year]
        for week in range(1, kWeeksPerYear + 1):
            days = days_of_year[7 * (week - 1):7 * week]
            lines.append(",".join([str(year), str(week)] + ParameterFields(days, True)))
    lines.append("&")
    return lines


def MonthlyLines(series):
    lines = StationHeader(["Year", "Month"])
    for year in range(kFirstMonthlyYear, kLastYear + 1):
        for month in range(1, 13):
            days = [d for d in series if d.day.year == year and d.day.month == month]
            lines.append(",".join([str(year), str(month)] + ParameterFields(days, True)))
    lines.append("&")
    return lines


# --- Thornthwaite heat index grid ------------------------------------------

kGridLatitudesDeg = range(8, 31)     # 8..30 N
kGridLongitudesDeg = range(68, 97)   # 68..96 E


def Bump(lat, lon, centre_lat, centre_lon, radius_deg):
    """Smooth hill of height 1 at the centre falling to 0 at radius_deg (polynomial, no libm)."""
    r2 = ((lat - centre_lat) ** 2 + (lon - centre_lon) ** 2) / radius_deg ** 2
    return (1.0 - r2) ** 2 if r2 < 1.0 else 0.0


def HeatIndexAt(lat, lon):
    """An illustrative annual heat index I: warm south, cooler north, lower on high ground.

    The south is uniformly warm (I near 160); going north the winters cool and I
    falls; a hot dry north-west lowland raises it again; two plateaus, a western
    coastal range and the northern mountain front lower it.
    """
    value = 163.0 - 0.09 * max(0.0, lat - 12.0) ** 2
    value += 14.0 * Bump(lat, lon, 26.5, 71.0, 5.0)    # hot desert lowland
    value += 6.0 * Bump(lat, lon, 22.5, 87.5, 4.0)     # warm delta lowland
    value -= 10.0 * Bump(lat, lon, 15.0, 77.0, 5.0)    # southern plateau
    value -= 8.0 * Bump(lat, lon, 21.5, 78.5, 4.5)     # central plateau
    value -= 12.0 * Bump(lat, lon, 12.0, 75.5, 3.0)    # western coastal range
    value -= 30.0 * Bump(lat, lon, 31.0, 79.0, 4.5)    # north-western mountain front
    value -= 28.0 * Bump(lat, lon, 30.0, 92.0, 5.5)    # north-eastern mountain front
    return value


def HeatIndexLines(rng):
    lines = ["Latitude,Longitude,HeatIndex"]
    for lat in kGridLatitudesDeg:
        for lon in kGridLongitudesDeg:
            value = HeatIndexAt(lat, lon) + 1.5 * Noise(rng)
            lines.append(f"{lat},{lon},{Shortest(value, 2)}")
    return lines


# --- Writing ----------------------------------------------------------------

def WriteLines(path, lines):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + kEol for line in lines).encode("ascii"))


def main(argv):
    if len(argv) > 2:
        sys.exit("usage: make_sample_data.py [ApplicationFolder]")
    root = Path(argv[1]) if len(argv) == 2 else Path(__file__).resolve().parent.parent / "appfolder"

    rng = random.Random(kSeed)
    series = DailySeries(rng)
    pet_data = root / "data" / "PET_DATA"
    daily = DailyLines(series)
    WriteLines(pet_data / f"{kFileStem}.csv", daily)
    WriteLines(pet_data / f"{kFileStem}_LOGGER.csv", LoggerLines(daily))
    WriteLines(pet_data / f"{kFileStem}_WEEKLY.csv", WeeklyLines(series))
    WriteLines(pet_data / f"{kFileStem}_MONTHLY.csv", MonthlyLines(series))
    WriteLines(root / "support" / "heat_index_data.csv", HeatIndexLines(rng))

    (root / "data" / "COEFFI_DATA").mkdir(parents=True, exist_ok=True)
    (root / "OUTPUT").mkdir(parents=True, exist_ok=True)
    (root / "OUTPUT" / ".keep").write_bytes(b"")


if __name__ == "__main__":
    main(sys.argv)
