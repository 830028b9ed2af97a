#!/usr/bin/env python3
"""Fills a catalogue lupdate wrote with pseudo translations: every line bracketed and marked ("[...~]"), its
letters accented and every word lengthened by a third, so a page drawn with it shows at a glance which texts were not translated (plain
letters left) and which do not fit (cut brackets).

    pseudo_ts.py extracted.ts pseudo.ts

Placeholders (%1, %n, %L1), mnemonic marks (&), line breaks and the spaces around them stay as they are.
"""
import re
import sys
import xml.etree.ElementTree as ET

ACCENTED = dict(zip(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "áƀçđéƒĝĥîĵķĺɱñöþǫŕšţûṽŵẋýžÅƁÇĐÉƑĜĤÎĴĶĹṀÑÖÞǪŔŠŢÛṼŴẊÝŽ"))
KEEP = re.compile(r"(%L?\d+|%n|&&|&|\n)")


def lengthen(word):
    """A word accented and a third longer, its last letter repeated, so it still breaks where it did."""
    accented = "".join(ACCENTED.get(c, c) for c in word)
    return accented + accented[-1] * -(-len(word) // 3)


def pseudo_line(line):
    """One line: its words accented and lengthened by a third, the whole bracketed and marked with "~"."""
    if not line.strip():
        return line
    lead = line[: len(line) - len(line.lstrip())]
    trail = line[len(line.rstrip()):]
    body = line.strip()
    parts = KEEP.split(body)
    out = "".join(p if KEEP.fullmatch(p) else re.sub(r"[A-Za-z]+", lambda m: lengthen(m.group()), p)
                  for p in parts)
    return lead + "[" + out + "~]" + trail


def pseudo(text):
    return "\n".join(pseudo_line(line) for line in text.split("\n"))


def main(source, target):
    tree = ET.parse(source)
    for message in tree.iter("message"):
        text = message.findtext("source") or ""
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        translation.attrib.pop("type", None)
        translation.text = None
        for form in list(translation):
            translation.remove(form)
        if message.get("numerus") == "yes":
            for _ in range(2):
                ET.SubElement(translation, "numerusform").text = pseudo(text)
        else:
            translation.text = pseudo(text)
    tree.getroot().set("language", "en")
    tree.write(target, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
