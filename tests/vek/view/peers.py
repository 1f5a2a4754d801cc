#!/usr/bin/python3
"""Helper of the view tests, run with the system python; it writes GBK.

  audit <dxf> <out>                 ezdxf reads the file (GBK) and audits it: "errors N",
                                    "fixes N", then one line per entity: type and layer
  ini <file> <section> <out>        configparser reads the section: one "key=value" a line
"""
import configparser
import os
import sys


def finish(out, text):
    """Writes the result beside its name and then renames it: a program waiting
    for the file sees it whole or not at all."""
    with open(out + ".part", "w", encoding="gbk") as f:
        f.write(text)
    os.replace(out + ".part", out)


def audit(path, out):
    import ezdxf
    doc = ezdxf.readfile(path, encoding="gbk")
    auditor = doc.audit()
    lines = ["errors %d" % len(auditor.errors), "fixes %d" % len(auditor.fixes)]
    for e in auditor.errors:
        lines.append("error: %s" % (e.message,))
    for e in auditor.fixes:
        lines.append("fix: %s" % (e.message,))
    for e in doc.modelspace():
        extra = ""
        if e.dxftype() == "TEXT":
            extra = " " + e.dxf.text
        lines.append("%s %s%s" % (e.dxftype(), e.dxf.layer, extra))
    finish(out, "\n".join(lines) + "\n")


def ini(path, section, out):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    with open(path, encoding="gbk") as f:
        parser.read_file(f)
    finish(out, "".join("%s=%s\n" % (key, value) for key, value in parser.items(section)))


if __name__ == "__main__":
    cmd = sys.argv[1]
    if cmd == "audit":
        audit(sys.argv[2], sys.argv[3])
    elif cmd == "ini":
        ini(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit("unknown command " + cmd)
