#!/usr/bin/python3
"""Reads an iCalendar file with python3-icalendar, a reader independent of libical, and
prints its events as JSON: UID, texts, categories, the start (an instant in UTC, or a
day), the length in seconds and the alarms' triggers in seconds."""
import datetime
import json
import sys

import icalendar


def kategoriler(deger):
    if deger is None:
        return []
    liste = deger if isinstance(deger, list) else [deger]
    sonuc = []
    for k in liste:
        sonuc.extend(str(c) for c in getattr(k, "cats", [k]))
    return sonuc


def main(yol):
    with open(yol, "rb") as f:
        takvim = icalendar.Calendar.from_ical(f.read())
    olaylar = []
    for e in takvim.walk("VEVENT"):
        bas = e.decoded("DTSTART")
        if isinstance(bas, datetime.datetime):
            baslangic = bas.astimezone(datetime.timezone.utc).isoformat()
        else:
            baslangic = bas.isoformat()
        if "DURATION" in e:
            sure = e.decoded("DURATION")
        else:
            sure = e.decoded("DTEND") - bas
        olaylar.append({
            "uid": str(e.get("UID")),
            "summary": str(e.get("SUMMARY", "")),
            "location": str(e.get("LOCATION", "")),
            "description": str(e.get("DESCRIPTION", "")),
            "categories": kategoriler(e.get("CATEGORIES")),
            "start": baslangic,
            "seconds": int(sure.total_seconds()),
            "alarms": [int(a.decoded("TRIGGER").total_seconds()) for a in e.walk("VALARM")],
        })
    json.dump(olaylar, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
