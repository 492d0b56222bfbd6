#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the reference tables of tst_night and tst_nightplan with astropy and ERFA:
data/night-reference.tsv (the Sun's and the Moon's events of a few nights) and
data/night-objects-reference.tsv (rise, set, best time and distance from the Moon of a few
objects in some of those nights).

Run by hand with Debian's Python (apt-get install python3-astropy):
    /usr/bin/python3 make_night_reference.py

Sun and Moon: astropy's built-in ephemeris (get_body: the Earth from ERFA's epv00 and the Moon
from ERFA's moon98, the same theories the program uses; astropy's own are the frame chain, the
time scales, the parallax and the search), transformed to AltAz with pressure=0, so without
refraction; UT1 is taken as UTC (no IERS download). Sun events are the Sun's centre at
-0.8333, -6, -12 and -18 degrees; moonrise and moonset the geocentric centre (direction without
distance, so no parallax) at 0.7275 * horizontal parallax - 0.5667 degrees, the horizontal
parallax from the distance and the WGS84 equatorial radius. The illuminated fraction is
(1 + cos phase angle) / 2 seen from the Earth's centre; the Moon's altitude and its distance
from an object are topocentric, the object's position taken for the mean equinox J2030.0
(FK5).

Objects: the program's own hour-angle model, computed independently: Greenwich MEAN sidereal
time of the IAU 1982 model (erfa.gmst82 at UTC) plus the longitude less the right ascension as
the list gives it, no precession or nutation; altitudes from erfa.hd2ae. Rise and set are found
by sampling and bisection, the best time as the highest of a dense sampling of astropy's
darkness (Sun below -18 degrees, else below -12).

Every crossing is found by sampling the span (local noon to local noon) every two minutes and
bisecting each bracket to well under a second.
"""

import datetime
import math
import pathlib
import warnings

import erfa
import numpy as np
from astropy import units as u
from astropy.coordinates import (AltAz, EarthLocation, FK5, GCRS, SkyCoord, get_body)
from astropy.time import Time
from astropy.utils import iers

# name, local civil time, summer time (offset +2 h, else +1 h), longitude (deg, east +),
# latitude (deg, north +)
NIGHTS = [
    ("Berlin, December", "2026-12-08 23:30:00", False, 13.41, 52.52),
    ("Berlin, June, no astronomical darkness", "2026-06-20 23:30:00", True, 13.41, 52.52),
    ("Berlin, after midnight belongs to the evening before", "2027-01-14 02:00:00", False,
     13.41, 52.52),
    ("Cape Town, southern winter", "2026-07-15 22:00:00", True, 18.42, -33.92),
    ("Longyearbyen 78 N, polar night", "2026-12-15 22:00:00", False, 15.63, 78.22),
    ("Longyearbyen 78 N, midnight sun", "2026-06-15 23:00:00", True, 15.63, 78.22),
    ("Berlin, switch to summer time, box unticked", "2026-03-28 23:00:00", False, 13.41, 52.52),
    ("Berlin, switch to summer time, box ticked", "2026-03-29 03:30:00", True, 13.41, 52.52),
    ("Berlin, switch to winter time, box ticked", "2026-10-25 01:00:00", True, 13.41, 52.52),
    ("Quito on the equator", "2026-09-10 21:00:00", False, -78.47, -0.18),
]

# object, right ascension and declination as an object list writes them (equinox 2030.0)
OBJECTS = [
    ("M 45", "03:48:47", "+24:12:00"),
    ("M 42", "05:36:46", "-05:22:00"),
    ("M 13", "16:42:46", "+36:24:00"),
    ("M 81", "09:57:59", "+68:55:00"),
    ("Omega Centauri", "13:28:05", "-47:35:00"),
]
OBJECT_NIGHTS = [0, 1, 3, 4, 7]

EVENTS = ["sunset", "civilDusk", "nauticalDusk", "astronomicalDusk", "astronomicalDawn",
          "nauticalDawn", "civilDawn", "sunrise", "moonrise", "moonset"]
SUN_ALTITUDES = {"sunset": -0.8333, "civilDusk": -6.0, "nauticalDusk": -12.0,
                 "astronomicalDusk": -18.0}
EARTH_EQUATORIAL_RADIUS_KM = 6378.137
STEP_SECONDS = 120
SPAN_SECONDS = 86400


def night_start(local, summer):
    offset = datetime.timedelta(hours=2 if summer else 1)
    noon = local.replace(hour=12, minute=0, second=0)
    if local < noon:
        noon -= datetime.timedelta(days=1)
    return noon - offset  # UTC


def times_from(start_utc, seconds):
    return Time(start_utc, scale="utc") + np.asarray(seconds) * u.s


def sun_altitude(location):
    def altitude(times):
        frame = AltAz(obstime=times, location=location, pressure=0 * u.hPa)
        return get_body("sun", times).transform_to(frame).alt.deg
    return altitude


def moon_above_rise_altitude(location):
    def difference(times):
        moon = get_body("moon", times)
        parallax = np.degrees(np.arcsin(EARTH_EQUATORIAL_RADIUS_KM / moon.distance.to_value(u.km)))
        # A direction without distance: the Moon as seen from the Earth's centre.
        direction = SkyCoord(moon.ra, moon.dec, frame=GCRS(obstime=times))
        frame = AltAz(obstime=times, location=location, pressure=0 * u.hPa)
        return direction.transform_to(frame).alt.deg - (0.7275 * parallax - 0.5667)
    return difference


def crossings(function, start_utc, threshold):
    """First downward and first upward crossing (seconds from start) or an outcome word."""
    seconds = np.arange(0, SPAN_SECONDS + 1, STEP_SECONDS, dtype=float)
    values = function(times_from(start_utc, seconds)) - threshold
    found = {}
    for direction in ("down", "up"):
        for i in range(1, len(seconds)):
            before, after = values[i - 1] >= 0, values[i] >= 0
            if before != after and before == (direction == "down"):
                low, high = seconds[i - 1], seconds[i]
                for _ in range(4):  # 31 samples per round: 120 s to 0.004 s
                    grid = np.linspace(low, high, 31)
                    sample = function(times_from(start_utc, grid)) - threshold
                    j = next(k for k in range(1, 31) if (sample[k] >= 0) != (sample[0] >= 0))
                    low, high = grid[j - 1], grid[j]
                found[direction] = (low + high) / 2
                break
        else:
            if np.all(values >= 0):
                found[direction] = "AlwaysAbove"
            elif np.all(values < 0):
                found[direction] = "AlwaysBelow"
            else:
                found[direction] = "OtherWayOnly"
    return found


def first_stretch_below(function, start_utc, threshold):
    seconds = np.arange(0, SPAN_SECONDS + 1, STEP_SECONDS, dtype=float)
    values = function(times_from(start_utc, seconds))
    if np.all(values >= threshold):
        return None
    found = crossings(function, start_utc, threshold)
    begin = 0.0 if values[0] < threshold else found["down"]
    # The first upward crossing after the beginning; in these cases it is the first one.
    end = found["up"] if isinstance(found["up"], float) and found["up"] > begin else SPAN_SECONDS
    return begin, end


def local_text(start_utc, seconds, summer):
    moment = start_utc + datetime.timedelta(hours=2 if summer else 1, seconds=round(seconds))
    return moment.strftime("%Y-%m-%d %H:%M:%S")


def event_text(value, start_utc, summer):
    return value if isinstance(value, str) else local_text(start_utc, value, summer)


def sexagesimal(text, signed):
    parts = text.strip().split(":")
    negative = signed and parts[0].strip().startswith("-")
    value = abs(float(parts[0])) + abs(float(parts[1])) / 60 + abs(float(parts[2])) / 3600
    return -value if negative else value


def object_altitude(ra_hours, dec_deg, longitude, latitude):
    """The clock's model: IAU 1982 mean sidereal time at UTC, no precession."""
    def altitude(times):
        jd1, jd2 = times.utc.jd1, times.utc.jd2
        hour_angle = erfa.gmst82(jd1, jd2) + math.radians(longitude) - ra_hours * math.pi / 12
        _, alt = erfa.hd2ae(hour_angle, math.radians(dec_deg), math.radians(latitude))
        return np.degrees(alt)
    return altitude


def illumination(moon, sun):
    elongation = moon.separation(sun).rad
    sun_km = sun.distance.to_value(u.km)
    moon_km = moon.distance.to_value(u.km)
    phase = math.atan2(sun_km * math.sin(elongation), moon_km - sun_km * math.cos(elongation))
    return (1 + math.cos(phase)) / 2


def waxing(moon, sun):
    # The Moon's ecliptic longitude ahead of the Sun's by less than 180 degrees.
    from astropy.coordinates import GeocentricTrueEcliptic
    lon_moon = moon.transform_to(GeocentricTrueEcliptic(equinox=moon.obstime)).lon.deg
    lon_sun = sun.transform_to(GeocentricTrueEcliptic(equinox=sun.obstime)).lon.deg
    return (lon_moon - lon_sun) % 360 < 180


def main():
    iers.conf.auto_download = False
    iers.conf.iers_degraded_accuracy = "ignore"
    warnings.simplefilter("ignore")
    here = pathlib.Path(__file__).resolve().parent
    header = ("# Generated by make_night_reference.py with astropy (built-in ephemeris, AltAz "
              "without refraction) and ERFA %s (objects: IAU 1982 mean sidereal time, no "
              "precession); do not edit." % erfa.__version__)
    night_lines = [header, "\t".join(["case", "local", "summer", "longitude", "latitude",
                                      "quantity", "value"])]
    object_lines = [header, "\t".join(["case", "local", "summer", "longitude", "latitude",
                                       "objekt", "ra", "dec", "rise", "set", "best",
                                       "bestAltitude", "moonDistance"])]
    for index, (name, local, summer, longitude, latitude) in enumerate(NIGHTS):
        local_time = datetime.datetime.strptime(local, "%Y-%m-%d %H:%M:%S")
        start = night_start(local_time, summer)
        location = EarthLocation.from_geodetic(longitude * u.deg, latitude * u.deg, 0 * u.m)
        sun = sun_altitude(location)
        values = {}
        for event, altitude in SUN_ALTITUDES.items():
            found = crossings(sun, start, altitude)
            values[event] = found["down"]
            dawn = {"sunset": "sunrise", "civilDusk": "civilDawn", "nauticalDusk": "nauticalDawn",
                    "astronomicalDusk": "astronomicalDawn"}[event]
            values[dawn] = found["up"]
        moon_found = crossings(moon_above_rise_altitude(location), start, 0.0)
        values["moonrise"] = moon_found["up"]
        values["moonset"] = moon_found["down"]

        given = local_time - datetime.timedelta(hours=2 if summer else 1)
        now = Time(given, scale="utc")
        moon_geo = get_body("moon", now)
        sun_geo = get_body("sun", now)
        moon_topo = get_body("moon", now, location)
        moon_altitude = moon_topo.transform_to(
            AltAz(obstime=now, location=location, pressure=0 * u.hPa)).alt.deg

        cells = [name, local, "1" if summer else "0", repr(longitude), repr(latitude)]
        for event in EVENTS:
            night_lines.append("\t".join(cells + [event, event_text(values[event], start, summer)]))
        night_lines.append("\t".join(cells + ["illuminatedPercent",
                                              "%.3f" % (100 * illumination(moon_geo, sun_geo))]))
        night_lines.append("\t".join(cells + ["waxing", "1" if waxing(moon_geo, sun_geo) else "0"]))
        night_lines.append("\t".join(cells + ["moonAltitude", "%.4f" % float(moon_altitude)]))

        if index not in OBJECT_NIGHTS:
            continue
        darkness = first_stretch_below(sun, start, -18.0)
        if darkness is None:
            darkness = first_stretch_below(sun, start, -12.0)
        for objekt, ra_text, dec_text in OBJECTS:
            ra = sexagesimal(ra_text, False)
            dec = sexagesimal(dec_text, True)
            altitude = object_altitude(ra, dec, longitude, latitude)
            found = crossings(altitude, start, 0.0)
            rise = found["up"] if not isinstance(found["up"], str) else "keiner"
            sets = found["down"] if not isinstance(found["down"], str) else "keiner"
            best, best_altitude = "keiner", "keiner"
            if darkness is not None:
                grid = np.linspace(darkness[0], darkness[1],
                                   int((darkness[1] - darkness[0]) / 5) + 2)
                heights = altitude(times_from(start, grid))
                k = int(np.argmax(heights))
                if heights[k] >= 0:
                    best, best_altitude = grid[k], "%.4f" % heights[k]
            target = SkyCoord(ra * 15 * u.deg, dec * u.deg, frame=FK5(equinox=Time("J2030.0")))
            distance = moon_topo.separation(target).deg
            object_lines.append("\t".join(cells + [
                objekt, ra_text, dec_text,
                rise if isinstance(rise, str) else local_text(start, rise, summer),
                sets if isinstance(sets, str) else local_text(start, sets, summer),
                best if isinstance(best, str) else local_text(start, best, summer),
                best_altitude, "%.4f" % float(distance)]))

    (here / "data" / "night-reference.tsv").write_text("\n".join(night_lines) + "\n",
                                                       encoding="utf-8")
    (here / "data" / "night-objects-reference.tsv").write_text("\n".join(object_lines) + "\n",
                                                               encoding="utf-8")


if __name__ == "__main__":
    main()
