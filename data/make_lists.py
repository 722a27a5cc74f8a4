#!/usr/bin/env python3
"""Writes the four character reference lists list1.nl2 ... list4.nl2.

Usage: make_lists.py [FOLDER]   (default: this script's folder)

Each line is "name,code": code is the named reference (&alpha;), name is what
the user picks from: the character and its reference name ("α alpha") where
code page 932 holds it and it can be seen, else the reference name and a short
description ("nbsp (no-break space)"). Files are code page 932 with CR LF.
"""

import html.entities
import sys
import unicodedata
from pathlib import Path

GREEK = """
    Alpha Beta Gamma Delta Epsilon Zeta Eta Theta Iota Kappa Lambda Mu Nu Xi
    Omicron Pi Rho Sigma Tau Upsilon Phi Chi Psi Omega
    alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu xi
    omicron pi rho sigmaf sigma tau upsilon phi chi psi omega
    thetasym upsih piv
""".split()

SYMBOLS = """
    fnof
    bull hellip prime Prime oline frasl
    weierp image real trade alefsym
    larr uarr rarr darr harr crarr lArr uArr rArr dArr hArr
    forall part exist empty nabla isin notin ni prod sum minus lowast radic
    prop infin ang and or cap cup int there4 sim cong asymp ne equiv le ge
    sub sup nsub sube supe oplus otimes perp sdot
    lceil rceil lfloor rfloor lang rang
    loz
    spades clubs hearts diams
""".split()

TYPOGRAPHIC = """
    quot amp lt gt
    OElig oelig Scaron scaron Yuml
    circ tilde
    ensp emsp thinsp zwnj zwj lrm rlm ndash mdash lsquo rsquo sbquo ldquo
    rdquo bdquo dagger Dagger permil lsaquo rsaquo euro
""".split()

LATIN1 = """
    nbsp iexcl cent pound curren yen brvbar sect uml copy ordf laquo not shy
    reg macr deg plusmn sup2 sup3 acute micro para middot cedil sup1 ordm
    raquo frac14 frac12 frac34 iquest
    Agrave Aacute Acirc Atilde Auml Aring AElig Ccedil Egrave Eacute Ecirc
    Euml Igrave Iacute Icirc Iuml ETH Ntilde Ograve Oacute Ocirc Otilde Ouml
    times Oslash Ugrave Uacute Ucirc Uuml Yacute THORN szlig
    agrave aacute acirc atilde auml aring aelig ccedil egrave eacute ecirc
    euml igrave iacute icirc iuml eth ntilde ograve oacute ocirc otilde ouml
    divide oslash ugrave uacute ucirc uuml yacute thorn yuml
""".split()

LISTS = [GREEK, SYMBOLS, TYPOGRAPHIC, LATIN1]

# Where the character's Unicode name reads badly as a description.
DESCRIPTIONS = {
    "circ": "circumflex accent",
    "crarr": "carriage return arrow",
    "image": "black-letter capital I",
    "prod": "product sign",
}

CODEPOINTS = html.entities.name2codepoint


def describe(name):
    """Short lower-case description, e.g. "capital A with grave"."""
    if name in DESCRIPTIONS:
        return DESCRIPTIONS[name]
    words = unicodedata.name(chr(CODEPOINTS[name])).split()
    if words[0] in ("LATIN", "GREEK"):
        words = words[1:]
    out = []
    capital = False
    for word in words:
        if word in ("LETTER", "VULGAR"):
            continue
        capital = capital or word == "CAPITAL"
        # Keep a capital's letters capital: "capital A", "capital ligature OE".
        out.append(word if capital and len(word) <= 2 else word.lower())
    return " ".join(out).replace("-pointing", "").replace("quotation mark", "quote")


def shows_itself(ch):
    """True if the character can stand for itself in a code page 932 list."""
    if unicodedata.category(ch)[0] in "ZC":  # blanks, controls, format marks
        return False
    try:
        return ch.encode("cp932").decode("cp932") == ch
    except UnicodeError:
        return False


def entry(name):
    ch = chr(CODEPOINTS[name])
    label = f"{ch} {name}" if shows_itself(ch) else f"{name} ({describe(name)})"
    code = f"&{name};"
    for element in (label, code):
        assert "," not in element and "\r" not in element and "\n" not in element, element
    return f"{label},{code}"


def check_groups():
    names = [name for group in LISTS for name in group]
    assert len(names) == len(set(names)), "a name is listed twice"
    assert set(names) == set(CODEPOINTS), set(names) ^ set(CODEPOINTS)
    assert [len(group) for group in LISTS] == [52, 72, 32, 96]
    assert [CODEPOINTS[n] for n in LATIN1] == list(range(0xA0, 0x100))


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    check_groups()
    folder.mkdir(parents=True, exist_ok=True)
    for number, group in enumerate(LISTS, start=1):
        text = "".join(entry(name) + "\r\n" for name in group)
        (folder / f"list{number}.nl2").write_bytes(text.encode("cp932"))


if __name__ == "__main__":
    main()
