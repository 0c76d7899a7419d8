"""Adds up the GoogleTest XML reports of both suites into one closing line."""
import glob
import os
import sys
import xml.etree.ElementTree as ET

args = sys.argv[1:]
ctest_failed = False
if "--ctest-status" in args:
    i = args.index("--ctest-status")
    ctest_failed = args[i + 1] != "0"
    del args[i:i + 2]

passed = failed = skipped = 0
reports = []
for folder in args:
    reports += sorted(glob.glob(os.path.join(folder, "*.xml")))

for report in reports:
    try:
        root = ET.parse(report).getroot()
    except ET.ParseError:
        print(f"unreadable report: {report}")
        failed += 1
        continue
    for case in root.iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
            print(f"FAILED: {case.get('classname')}.{case.get('name')}")
        elif case.get("status") == "notrun" or case.find("skipped") is not None or case.get("result") == "skipped":
            skipped += 1
        else:
            passed += 1

if not reports:
    print("no test reports were written")
    failed += 1

if ctest_failed and not failed:
    # A test executable ended without a report of its failure (a crash).
    print("a test executable failed without reporting a failed test")
    failed += 1

line = f"{passed} passed, {failed} failed"
if skipped:
    line += f", {skipped} skipped"
print(line)
sys.exit(1 if failed else 0)
