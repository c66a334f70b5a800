#!/usr/bin/env python3
"""Writes the bake program fixtures of tst_programfiles, byte by byte as the USB stick
and the old binary files hold them (cp1252, CR LF)."""

import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent


def block(name, number, values, skip=()):
    """One [Programm] block; `skip` names (phase, key) lines left out."""
    lines = ["[Programm]", "Name=" + name, "Nummer=%s" % number]
    keys = ["OH =", "UH =", "BZ =", "SCH=", "ABZ="]
    i = 0
    for phase in range(1, 6):
        lines.append("[Phase%d]" % phase)
        for k in range(5 if phase < 5 else 3):
            if (phase, keys[k]) not in skip:
                lines.append(keys[k] + ("%05d" % values[i] if isinstance(values[i], int) else values[i]))
            i += 1
    return lines


def record(blocks):
    lines = ["Backprogramme für den Fenmork VKS Torvel", "", ""]
    for b in blocks:
        lines += b
    lines.append("[ENDE]")
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def values(base):
    return [base + i for i in range(23)]


# Only program 5, with a name of umlauts; BZ values in seconds.
(HERE / "only5.TBR").write_bytes(record([block("Brötchen süß", "05", [220, 200, 119, 5, 90] * 4 + [180, 170, 3600])]))

# Program 2 without its "UH =" line in phase 1, then program 3 intact.
(HERE / "missing_uh.TBR").write_bytes(
    record([block("Kruste", "02", values(100), skip={(1, "UH =")}), block("Zopf", "03", values(300))]))

# Numbers 0 and 100 are outside 1..99; program 7 is fine.
(HERE / "out_of_range.TBR").write_bytes(
    record([block("Null", "00", values(10)), block("Hundert", "100", values(20)), block("Sieben", "07", values(70))]))

# A bake time that is no number.
(HERE / "bad_bz.TBR").write_bytes(record([block("Fladen", "01", [200, 190, "abc"] + values(1)[3:])]))

# A block whose "Nummer" line is missing.
(HERE / "no_number.TBR").write_bytes(
    ("Backprogramme für den Fenmork VKS Torvel\r\n\r\n\r\n[Programm]\r\nName=Ohne\r\n[Phase1]\r\n[ENDE]\r\n")
    .encode("cp1252"))

# A single program as exported, keys in other cases and with blanks, lines before the first
# section, a name longer than 14 characters.
(HERE / "weizen.TBP").write_bytes(("\r\n".join([
    "Backprogramm für den VKS Torvel (c) ZAN GmbH", "", "",
    "[programm]", "name = Weizenmischbrot hell", "NUMMER=42",
    "[PHASE1]", "oh =00250", "Uh= 230", "bz =00720", "sch=00005", " Abz = 120",
    "[Phase2]", "OH =-5", "UH =xyz", "BZ =00060", "SCH=00007", "ABZ=00060",
    "[Phase3]", "OH =70000",
    "[Phase4]",
    "[Phase5]", "OH =00180", "UH =00170", "BZ =03600",
    "[ENDE]"]) + "\r\n").encode("cp1252"))

# A .TBP cut off after phase 2.
(HERE / "cut.TBP").write_bytes(("\r\n".join([
    "Backprogramm für den VKS Torvel (c) ZAN GmbH", "", "",
    "[Programm]", "Name=Abgeschnitten", "Nummer=01",
    "[Phase1]", "OH =00250", "UH =00230", "BZ =00720", "SCH=00005", "ABZ=00120",
    "[Phase2]", "OH =00240"]) + "\r\n").encode("cp1252"))

# 46 bytes, low byte first; the name (21 characters) is cut to 14.
bpr = [250, 230, 720, 5, 150, 240, 220, 119, 6, 60, 230, 210, 600, 7, 59, 220, 200, 65535, 8, 61, 210, 190, 1200]
(HERE / "ROGGENMISCHBROTHELL21.BPR").write_bytes(struct.pack("<23H", *bpr))
# Too short for a program.
(HERE / "KURZ.BPR").write_bytes(bytes(range(20)))
# Binary garbage (no text program files at all).
(HERE / "garbage.bin").write_bytes(bytes((i * 37 + 11) % 256 for i in range(3000)).replace(b"Name", b"Nxme"))
