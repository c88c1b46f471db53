#!/usr/bin/env python3
"""Reads `tavr180 events --ics` for a year with the icalendar parser and
compares it with `tavr180 events --json` for the same span: one VEVENT per
phase and eclipse, UTC start times, unique UIDs, the summaries and the
eclipse data in the descriptions."""
import datetime
import json
import subprocess
import sys

import icalendar

program = sys.argv[1]
span = ["--from", "2024-01-01 CE", "--to", "2025-01-01 CE"]


def run(*args):
    done = subprocess.run([program, "events", *span, *args], capture_output=True, timeout=60)
    if done.returncode != 0:
        sys.exit(f"exit {done.returncode}: {done.stderr.decode()}")
    return done.stdout


raw = run("--ics")
events = json.loads(run("--json"))
calendar = icalendar.Calendar.from_ical(raw)
vevents = [c for c in calendar.walk() if c.name == "VEVENT"]
failures = []
if len(vevents) != len(events):
    failures.append(f"{len(vevents)} VEVENTs for {len(events)} events")
uids = [str(v["UID"]) for v in vevents]
if len(set(uids)) != len(uids):
    failures.append("UIDs repeat")
for vevent, event in zip(vevents, events):
    start = vevent["DTSTART"].dt
    if not isinstance(start, datetime.datetime) or start.utcoffset() != datetime.timedelta(0):
        failures.append(f"start not in UTC: {start!r}")
        continue
    expected = datetime.datetime(2000, 1, 1, 12, tzinfo=datetime.timezone.utc) + datetime.timedelta(
        days=event["ajd"] - 2451545.0)
    if abs((start - expected).total_seconds()) > 1.0:
        failures.append(f"{event['summary']}: {start} for {expected}")
    if str(vevent["SUMMARY"]) != event["summary"]:
        failures.append(f"summary {vevent['SUMMARY']} for {event['summary']}")
    if event["eclipse"] is not None:
        description = str(vevent["DESCRIPTION"])
        kind = event["eclipse"]["kind"]
        saros = f"Saros number = {event['eclipse']['saros']}"
        if not description.startswith(kind) or saros not in description:
            failures.append(f"description of {event['summary']}: {description!r}")
eclipses = [e for e in events if e["eclipse"] is not None]
if len(eclipses) != 4 or not any(e["summary"] == "Total solar eclipse (saros 139)" for e in eclipses):
    failures.append(f"eclipses of 2024: {[e['summary'] for e in eclipses]}")
if failures:
    sys.exit("\n".join(failures[:20]))
print(f"{len(vevents)} events read")
