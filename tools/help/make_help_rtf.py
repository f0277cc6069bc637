#!/usr/bin/env python3
"""Writes the program's help files (data/*.rtf) from their text sources in this folder.

Markup of the sources (UTF-8):
  = Title           a centred title
  # Heading         a heading
  ## Subheading     a smaller heading
  - item            a bulleted paragraph
  blank line        ends a paragraph; other lines of one paragraph are joined with a blank
  **bold**, *italic*, `code` (bold) inside a paragraph

Usage: make_help_rtf.py SOURCE_DIR OUT_DIR
       (from the repository: make_help_rtf.py tools/help data)

The .txt files here are the only source of the help texts: data/*.rtf are never edited by hand.
Change a text here and write the four files again; the test Help.FilesWrittenFromSources fails
while data/ differs from what this script writes.
"""
import re
import sys
from pathlib import Path

FILES = {
    "Instructions.txt": "Instructions.rtf",
    "FieldDescriptions.txt": "FieldDescriptions.rtf",
    "EnglishInstructions.txt": "EnglishInstructions.rtf",
    "EnglishFieldDescriptions.txt": "EnglishFieldDescriptions.rtf",
}

HEADER = ("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"
          "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
          "{\\colortbl;\\red0\\green0\\blue0;}"
          "{\\*\\generator Zirtel help writer;}\n")


def escape(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif code < 128:
            out.append(ch)
        elif code < 256:
            out.append("\\'%02x" % code)
        else:
            out.append("\\u%d?" % (code if code < 32768 else code - 65536))
    return "".join(out)


def inline(text):
    out = []
    pos = 0
    for m in re.finditer(r"\*\*(.+?)\*\*|`(.+?)`|\*(.+?)\*", text):
        out.append(escape(text[pos:m.start()]))
        if m.group(1) is not None:
            out.append("{\\b " + escape(m.group(1)) + "}")
        elif m.group(2) is not None:
            out.append("{\\b " + escape(m.group(2)) + "}")
        else:
            out.append("{\\i " + escape(m.group(3)) + "}")
        pos = m.end()
    out.append(escape(text[pos:]))
    return "".join(out)


def paragraphs(source):
    block = []
    for line in source.splitlines():
        if not line.strip():
            if block:
                yield " ".join(block)
                block = []
            continue
        if line.startswith(("= ", "# ", "## ", "- ")) and block:
            yield " ".join(block)
            block = []
        block.append(line.strip())
        if line.startswith(("= ", "# ", "## ")):
            yield " ".join(block)
            block = []
    if block:
        yield " ".join(block)


def convert(source):
    parts = [HEADER]
    for p in paragraphs(source):
        if p.startswith("= "):
            parts.append("\\pard\\qc\\sa200\\plain\\b\\fs36 " + inline(p[2:]) + "\\par\n")
        elif p.startswith("## "):
            parts.append("\\pard\\sb120\\sa60\\plain\\b\\fs24 " + inline(p[3:]) + "\\par\n")
        elif p.startswith("# "):
            parts.append("\\pard\\sb240\\sa120\\plain\\b\\fs28 " + inline(p[2:]) + "\\par\n")
        elif p.startswith("- "):
            parts.append("\\pard\\li360\\fi-240\\sa60\\plain\\fs20 \\bullet  " + inline(p[2:]) + "\\par\n")
        else:
            parts.append("\\pard\\sa120\\plain\\fs20 " + inline(p) + "\\par\n")
    parts.append("}\n")
    return "".join(parts)


def main():
    src, out = Path(sys.argv[1]), Path(sys.argv[2])
    for name, target in FILES.items():
        text = (src / name).read_text(encoding="utf-8")
        (out / target).write_text(convert(text), encoding="ascii", newline="\n")


if __name__ == "__main__":
    main()
