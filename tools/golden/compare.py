#!/usr/bin/env python3
"""Runs the command line's README examples and a few thousand seeded random
calls through two builds of tavr180 and compares standard output, standard
error and the exit status byte for byte.

    tools/golden/compare.py OLD/bin/tavr180 NEW/bin/tavr180 [--seed N] [--entries N]

Valid entries come from the old build itself: random moments are converted
with --json and every calendar row's text is typed back, so each calendar's
parse is reached with dates that exist as well as with random fields and junk.
Calls that read the clock (no --from, --now) are left out: their output
changes by the minute."""
import json
import random
import subprocess
import sys

TIMEOUT = 60


def run(binary, args, stdin=b""):
    p = subprocess.run([binary] + args, input=stdin, capture_output=True, timeout=TIMEOUT)
    return p.returncode, p.stdout, p.stderr


CODES = ["CE", "JC", "SAR", "VR", "LDT", "TVG", "QLW", "CJD", "AJD"]


def random_time(r):
    k = r.random()
    if k < 0.5:
        return ""
    if k < 0.9:
        return " %02d:%02d" % (r.randint(0, 23), r.randint(0, 59))
    return " " + r.choice(["24:00", "9:5", "12:60", "1:", ":30", "23:59", "00:00", "7:07"])


def random_fields(r, n):
    return "-".join(str(r.randint(-3, 40) if r.random() < 0.8 else r.randint(-9000, 9000)) for _ in range(n))


def random_entry(r):
    code = r.choice(CODES + [""])
    k = r.random()
    if code in ("CE", "JC"):
        date = "%d-%02d-%02d" % (r.randint(-3300, 6100), r.randint(0, 13), r.randint(0, 32))
    elif code in ("CJD", "AJD"):
        v = r.uniform(-1e6, 5e6)
        date = r.choice(["%.2f" % v, "%d" % v, "{:,}".format(int(v)), "%.6f" % v])
    elif code == "":
        date = r.choice(["%d-%02d-%02d" % (r.randint(-3300, 6100), r.randint(1, 12), r.randint(1, 31)),
                         random_fields(r, r.randint(1, 5))])
    else:
        date = random_fields(r, r.randint(2, 5))
    if k < 0.05:
        date = "".join(r.choice("0123456789-.:/, ()ABCEJLQSTVWDR") for _ in range(r.randint(0, 20)))
    text = date + (" " + code if code else "") + random_time(r)
    if r.random() < 0.1:
        text = text.lower()
    if r.random() < 0.05:
        text = "  " + text + " "
    return text


def valid_entries(old, r, count):
    """Row texts of random moments, as the old build writes them."""
    entries = []
    ajds = ["%.5f AJD" % r.uniform(548000, 4913000) for _ in range(count)]
    rc, out, _ = run(old, ["convert", "--batch", "--json"], ("\n".join(ajds) + "\n").encode())
    for line in out.decode("latin-1").splitlines():
        try:
            obj = json.loads(line)
        except ValueError:
            continue
        for row in obj.get("rows", {}).values():
            value = row.get("value", "")
            if value:
                # the short form as typed, or the whole row text as pasted
                entries.append(value.split(" (")[0] if r.random() < 0.7 else value)
    return entries


ZONES = ["GMT", "+05:30", "GMT + 05:30", "-12:00", "+12:00", "GMT - 03:00", "-07:30"]
TARGETS = ["full-moon", "dark-moon", "first-quarter", "last-quarter", "quarter", "eclipse", "lunar",
           "total-lunar", "umbral-lunar", "solar", "total-solar", "annular-solar", "saros", "coincidence",
           "Total solar eclipse", "Full moon", "nothing"]


def options(r):
    a = []
    if r.random() < 0.3:
        a += ["--calendar", r.choice(CODES + ["XX"])]
    if r.random() < 0.3:
        a += ["--zone", r.choice(ZONES)]
    if r.random() < 0.2:
        a += ["--greenwich"]
    return a


def cases(old, seed, n):
    r = random.Random(seed)
    readme = [
        ["convert", "2000-01-01 CE 12:00"],
        ["convert", "--json", "--zone", "GMT + 05:30", "102-25-10-26 VR 14:28"],
        ["convert", "--calendar", "QLW", "--days", "30", "5000-01-1-1"],
        ["move", "1 SAR month", "forward", "--from", "2000-01-01 CE 14:28", "--times", "3"],
        ["search", "next", "total-solar", "--from", "2024-01-01 CE", "--count", "3"],
        ["events", "--from", "2026-01-01 CE", "--to", "2027-01-01 CE", "--kind", "eclipses", "--ics"],
        ["lunation", "--calendar", "LDT", "2024-12-31 CE"],
        ["--help"], ["--version"], ["move", "--help"], ["convert", "--help"],
    ]
    out = [(a, b"") for a in readme]
    out.append((["convert", "--batch", "--json"],
                "".join("%d AJD\n" % d for d in range(2451545, 2451911)).encode()))
    entries = valid_entries(old, r, n // 4) + [random_entry(r) for _ in range(n)]
    r.shuffle(entries)
    out.append((["convert", "--batch"], ("\n".join(entries) + "\n").encode("latin-1", "replace")))
    out.append((["convert", "--batch", "--json"], ("\n".join(entries) + "\n").encode("latin-1", "replace")))
    out.append((["convert", "--batch", "--json", "--zone", "+05:30", "--calendar", "SAR"],
                ("\n".join(entries[: n // 2]) + "\n").encode("latin-1", "replace")))
    out.append((["convert", "--batch", "--greenwich", "--days", "12", "--minus", "--calendar", "VR"],
                ("\n".join(entries[: n // 2]) + "\n").encode("latin-1", "replace")))
    for e in entries[: n // 3]:
        k = r.random()
        a = ["convert"] + options(r)
        if k < 0.3:
            a += ["--json"]
        elif k < 0.5:
            a += ["--log"] + (["--log-format", r.choice(["calendar=date", "date calendar,"])] if r.random() < 0.5 else [])
        if r.random() < 0.15:
            a += ["--days", r.choice(["1", "30", "-5", "1.5", "x", "100000", "1,000"])] + (["--minus"] if r.random() < 0.5 else [])
        out.append((a + ["--", e], b""))
    for _ in range(n // 20):
        a = ["move", str(r.randint(0, 20)) if r.random() < 0.8 else r.choice(["1 SAR month", "1 day", "x"]),
             r.choice(["forward", "back"]), "--from", r.choice(entries), "--times", str(r.randint(1, 4))]
        out.append((a + options(r) + (["--json"] if r.random() < 0.3 else []), b""))
    for _ in range(n // 25):
        a = ["search", r.choice(["next", "previous"]), r.choice(TARGETS), "--from", r.choice(entries),
             "--count", str(r.randint(1, 3))]
        out.append((a + options(r) + (["--json"] if r.random() < 0.3 else []), b""))
    for _ in range(n // 50):
        start = r.uniform(-3000, 5900)
        a = ["events", "--from", "%.5f CJD" % (start * 365.25 + 1721424), "--to",
             "%.5f CJD" % (start * 365.25 + 1721424 + r.uniform(-5, 200)),
             "--kind", r.choice(["phases", "eclipses", "all"])]
        out.append((a + [r.choice(["--ics", "--json", "--zone"])] if r.random() < 0.5 else a, b""))
    for _ in range(n // 20):
        a = ["lunation", r.choice(entries), "--calendar", r.choice(["SAR", "VR", "TVG", "LDT", "CE"])]
        if r.random() < 0.5:
            a += ["--step", str(r.randint(-3, 3) if r.random() < 0.8 else r.randint(-200000, 200000))]
        if r.random() < 0.3:
            a += ["--zone", r.choice(ZONES)]
        if r.random() < 0.3:
            a += ["--greenwich"]
        if r.random() < 0.3:
            a += ["--json"]
        out.append((a, b""))
    return out


def main():
    args = sys.argv[1:]
    if len(args) < 2:
        sys.exit(__doc__)
    old, new = args[0], args[1]
    seed = int(args[args.index("--seed") + 1]) if "--seed" in args else 21
    n = int(args[args.index("--entries") + 1]) if "--entries" in args else 3000
    all_cases = cases(old, seed, n)
    differ = 0
    lines = 0
    statuses = {}
    for a, stdin in all_cases:
        lines += max(1, stdin.count(b"\n"))
        left, right = run(old, a, stdin), run(new, a, stdin)
        key = "%s %d" % (a[0], left[0])
        statuses[key] = statuses.get(key, 0) + 1
        if left != right:
            differ += 1
            if differ <= 10:
                print("DIFFERS:", a, "(stdin %d bytes)" % len(stdin))
                for name, x, y in zip(("status", "stdout", "stderr"), left, right):
                    if x != y:
                        print("  %s: old %r\n  %s: new %r" % (name, x if name == "status" else x[:400], name,
                                                               y if name == "status" else y[:400]))
    print("exit statuses (old build): " + ", ".join("%s: %d" % kv for kv in sorted(statuses.items())))
    print("%d calls (%d entries) compared, %d differ" % (len(all_cases), lines, differ))
    sys.exit(1 if differ else 0)


if __name__ == "__main__":
    main()
