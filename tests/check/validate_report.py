#!/usr/bin/env python3
"""Checks a levelcolors-check report that a hosting service reads.

validate_report.py sarif SCHEMA REPORT   the SARIF report against the SARIF 2.1.0 schema
validate_report.py codequality REPORT    the Code Quality report's fields, as GitLab reads them

Prints each fault on a line of its own and exits 1 when there is one, else 0.
"""
import json
import sys


def sarif_faults(schema_file, report):
    import jsonschema

    with open(schema_file, encoding="utf-8") as f:
        schema = json.load(f)
    validator = jsonschema.Draft7Validator(schema)
    faults = [
        "/".join(str(p) for p in error.absolute_path) + ": " + error.message
        for error in validator.iter_errors(report)
    ]
    fingerprints = [
        result.get("partialFingerprints", {}).get("levelcolorsFinding/v1")
        for run in report.get("runs", [])
        for result in run.get("results", [])
    ]
    if None in fingerprints:
        faults.append("a result without its fingerprint")
    if len(set(fingerprints)) != len(fingerprints):
        faults.append("fingerprints are not unique: %s" % fingerprints)
    return faults


def code_quality_faults(report):
    if not isinstance(report, list):
        return ["the report is no array"]
    faults = []
    fingerprints = set()
    for i, issue in enumerate(report):
        def fault(text):
            faults.append("%d: %s" % (i, text))

        for field in ("description", "check_name", "fingerprint"):
            if not isinstance(issue.get(field), str) or not issue[field]:
                fault("no %s" % field)
        if issue.get("fingerprint") in fingerprints:
            fault("fingerprint %s given twice" % issue["fingerprint"])
        fingerprints.add(issue.get("fingerprint"))
        if issue.get("severity") not in ("major", "info"):
            fault("severity %r" % issue.get("severity"))
        location = issue.get("location", {})
        if not isinstance(location.get("path"), str) or not location["path"]:
            fault("no location.path")
        begin = location.get("lines", {}).get("begin")
        if not isinstance(begin, int) or isinstance(begin, bool) or begin < 1:
            fault("location.lines.begin %r" % begin)
    return faults


def main(arguments):
    if len(arguments) == 3 and arguments[0] == "sarif":
        schema_file, report_file = arguments[1:]
    elif len(arguments) == 2 and arguments[0] == "codequality":
        report_file = arguments[1]
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with open(report_file, encoding="utf-8") as f:
        report = json.load(f)
    if arguments[0] == "sarif":
        faults = sarif_faults(schema_file, report)
    else:
        faults = code_quality_faults(report)
    for line in faults:
        print(line)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
