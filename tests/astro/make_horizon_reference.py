#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the reference tables of tst_horizon and tst_plancommand with ERFA:
data/horizon-reference.tsv and ../commandline/data/plan-reference.tsv (the plan of the fixture list
../commandline/data/plan/Abend.txt for a few sites and times).

Run by hand with Debian's Python (apt-get install python3-erfa):
    /usr/bin/python3 make_horizon_reference.py

Sidereal time: Greenwich mean sidereal time of the IAU 1982 model (erfa.gmst82) at the
Greenwich time, with UT1 taken as UTC, plus the longitude; no precession, nutation or equation
of the equinoxes, like the program's clock. Altitude and azimuth come from erfa.hd2ae, the
altitude at culmination from erfa.hd2ae at hour angle 0 (and 12 h for whether the object
sets), and the time to the next transit from a Newton search on erfa.gmst82 itself, so the
sidereal rate is ERFA's, not a constant shared with the program.
"""

import datetime
import math
import pathlib
import warnings

import erfa

# name, local civil time, summer time, longitude (deg, east +), latitude (deg, north +),
# right ascension and declination as an object list writes them
CASES = [
    ("Berlin December evening, M 42 rising in the south-east",
     "2026-12-08 23:30:00", False, 13.41, 52.52, "05:36:46", "-05:22:00"),
    ("Hamburg, M 81 circumpolar below the pole",
     "2026-12-08 23:30:00", False, 9.99, 53.55, "09:57:05", "69:00:00"),
    ("Berlin, Centaurus A never rises",
     "2027-04-20 01:15:00", True, 13.41, 52.52, "13:26:42", "-43:07:00"),
    ("North pole, altitude equals declination",
     "2026-03-21 12:00:00", False, 0.0, 90.0, "03:00:00", "30:00:00"),
    ("South pole, southern object circumpolar",
     "2026-06-21 04:00:00", True, 166.67, -90.0, "18:00:00", "-60:00:00"),
    ("Declination -0:30 is south of the equator",
     "2026-09-15 22:00:00", True, 11.58, 48.14, "21:33:27", "-0:30:00"),
    ("Far west at 170 W, New Year's night rolls back into the old year",
     "2027-01-01 00:30:00", False, -170.0, 20.0, "02:00:00", "15:00:00"),
    ("Far east at 175 E, southern observer",
     "2026-11-02 03:10:00", False, 175.0, -41.29, "00:52:40", "-72:49:00"),
    ("Equator, object in the north-east before transit",
     "2026-08-10 21:45:30", True, -78.5, 0.0, "16:41:42", "36:28:00"),
    ("Southern observer, northern object below the horizon near lower culmination",
     "2026-05-05 02:20:00", True, 151.2, -33.87, "13:29:53", "47:12:00"),
    ("Object in the zenith region at Vienna",
     "2026-10-01 20:00:00", True, 16.37, 48.21, "21:00:00", "48:00:00"),
    ("Berlin, object seconds past the meridian: next transit a sidereal day away",
     "2026-12-08 23:30:00", False, 13.41, 52.52, "04:34:00", "20:00:00"),
    ("Berlin, object seconds before the meridian",
     "2026-12-08 23:30:00", False, 13.41, 52.52, "04:35:00", "20:00:00"),
    ("Lower culmination at Zurich, circumpolar object under the pole",
     "2026-01-15 19:00:00", False, 8.55, 47.37, "14:00:00", "75:00:00"),
]

TWO_PI = 2.0 * math.pi


def sexagesimal(text, sign_from_first):
    parts = text.strip().split(":")
    negative = sign_from_first and parts[0].strip().startswith("-")
    value = abs(float(parts[0])) + abs(float(parts[1])) / 60 + abs(float(parts[2])) / 3600
    return -value if negative else value


def julian_date(moment):
    jd1, jd2 = erfa.dtf2d("UTC", moment.year, moment.month, moment.day,
                          moment.hour, moment.minute, float(moment.second))
    return jd1, jd2


def local_sidereal(jd1, jd2, longitude_rad):
    return erfa.anp(erfa.gmst82(jd1, jd2) + longitude_rad)


def seconds_to_transit(jd1, jd2, longitude_rad, ra_rad):
    # Newton search on the true function; the rate is measured from gmst82 over one minute.
    def hour_angle(offset_days):
        return erfa.anp(local_sidereal(jd1, jd2 + offset_days, longitude_rad) - ra_rad)

    rate = (erfa.anp(erfa.gmst82(jd1, jd2 + 60 / 86400) - erfa.gmst82(jd1, jd2))) / (60 / 86400)
    ha = hour_angle(0.0)
    if ha == 0.0:
        return 0.0
    offset = (TWO_PI - ha) / rate
    for _ in range(20):
        residual = erfa.anpm(hour_angle(offset))
        offset -= residual / rate
        if abs(residual) < 1e-12:
            break
    return offset * 86400


# case name, site text, latitude or None, local time, summer time
PLAN_CASES = [
    ("Berlin, December night", "13.41 Berlin", 52.52, "2026-12-08 23:30:00", False),
    ("La Silla, July night in summer time", "-70.73 La Silla", -29.26, "2026-07-01 02:00:00",
     True),
    ("typed longitude without latitude", "150.0 Ohne Breite", None, "2026-03-15 21:10:05", False),
]


def plan_rows(records, longitude, latitude, local, summer):
    local_time = datetime.datetime.strptime(local, "%Y-%m-%d %H:%M:%S")
    greenwich = local_time - datetime.timedelta(hours=2 if summer else 1)
    jd1, jd2 = julian_date(greenwich)
    longitude_rad = math.radians(longitude)
    rows = []
    for name, ra_text, dec_text in records:
        ra_parts = ra_text.strip().split(":")
        if len(ra_parts) != 3:
            rows.append((float("inf"), [name, "", "", "", "", "", ""]))
            continue
        ra_rad = sexagesimal(ra_text, False) * math.pi / 12
        ha = erfa.anpm(local_sidereal(jd1, jd2, longitude_rad) - ra_rad)
        if ha >= math.pi:
            ha -= TWO_PI
        seconds = seconds_to_transit(jd1, jd2, longitude_rad, ra_rad)
        transit = local_time + datetime.timedelta(seconds=round(seconds))
        cells = [name, "%.9f" % (ha * 12 / math.pi), transit.strftime("%Y-%m-%d %H:%M:%S"),
                 "%.3f" % seconds]
        if latitude is None:
            cells += ["", "", ""]
        else:
            dec_rad = math.radians(sexagesimal(dec_text, True))
            azimuth, altitude = erfa.hd2ae(ha, dec_rad, math.radians(latitude))
            _, upper = erfa.hd2ae(0.0, dec_rad, math.radians(latitude))
            cells += ["%.6f" % math.degrees(altitude), "%.6f" % math.degrees(azimuth),
                      "%.6f" % math.degrees(upper)]
        rows.append((seconds, cells))
    rows.sort(key=lambda row: row[0])
    return [cells for _, cells in rows]


def write_plan_reference(here):
    fixture = here.parent / "commandline" / "data" / "plan"
    records = []
    for line in (fixture / "Abend.txt").read_bytes().decode("cp1252").splitlines():
        if line:
            fields = line.split(";")
            records.append((fields[0].strip(), fields[1], fields[2]))
    lines = ["# Generated by make_horizon_reference.py with ERFA " + erfa.__version__ +
             " (IAU 1982 mean sidereal time, no precession); do not edit.",
             "\t".join(["case", "objekt", "eastWestHours", "transit", "secondsToTransit",
                        "altitude", "azimuth", "culmination"])]
    for case, site, latitude, local, summer in PLAN_CASES:
        longitude = float(site.split()[0])
        for cells in plan_rows(records, longitude, latitude, local, summer):
            lines.append("\t".join([case] + cells))
    (here.parent / "commandline" / "data" / "plan-reference.tsv").write_text("\n".join(lines) + "\n", encoding="utf-8")


def main():
    # dtf2d calls years beyond its leap-second table "dubious"; UTC is used as UT1 anyway.
    warnings.simplefilter("ignore", erfa.ErfaWarning)
    here = pathlib.Path(__file__).resolve().parent
    lines = ["# Generated by make_horizon_reference.py with ERFA " + erfa.__version__ +
             " (IAU 1982 mean sidereal time, no precession); do not edit.",
             "\t".join(["case", "local", "summer", "longitude", "latitude", "ra", "dec",
                        "eastWestHours", "secondsToTransit", "altitude", "azimuth",
                        "culmination", "circle"])]
    for name, local, summer, longitude, latitude, ra_text, dec_text in CASES:
        local_time = datetime.datetime.strptime(local, "%Y-%m-%d %H:%M:%S")
        greenwich = local_time - datetime.timedelta(hours=2 if summer else 1)
        jd1, jd2 = julian_date(greenwich)
        longitude_rad = math.radians(longitude)
        latitude_rad = math.radians(latitude)
        ra_rad = sexagesimal(ra_text, False) * math.pi / 12
        dec_rad = math.radians(sexagesimal(dec_text, True))

        ha = erfa.anpm(local_sidereal(jd1, jd2, longitude_rad) - ra_rad)
        if ha >= math.pi:
            ha -= TWO_PI
        azimuth, altitude = erfa.hd2ae(ha, dec_rad, latitude_rad)
        _, upper = erfa.hd2ae(0.0, dec_rad, latitude_rad)
        _, lower = erfa.hd2ae(math.pi, dec_rad, latitude_rad)
        circle = ("NeverRises" if upper < 0 else "Circumpolar" if lower > 0 else "RisesAndSets")
        lines.append("\t".join([
            name, local, "1" if summer else "0", repr(longitude), repr(latitude), ra_text,
            dec_text, "%.9f" % (ha * 12 / math.pi),
            "%.3f" % seconds_to_transit(jd1, jd2, longitude_rad, ra_rad),
            "%.6f" % math.degrees(altitude), "%.6f" % math.degrees(azimuth),
            "%.6f" % math.degrees(upper), circle]))
    (here / "data" / "horizon-reference.tsv").write_text("\n".join(lines) + "\n", encoding="utf-8")
    write_plan_reference(here)


if __name__ == "__main__":
    main()
