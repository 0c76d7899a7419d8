"""A test report in GoogleTest's XML format, so that the closing line of the
test run counts these cases with the others."""
import os
import time
import traceback
from xml.sax.saxutils import escape, quoteattr


class Report:
    def __init__(self):
        self.cases = []  # (suite, name, seconds, failure message or None)

    @property
    def failures(self):
        return sum(1 for case in self.cases if case[3] is not None)

    def run(self, suite, name, step):
        """Runs one case; an exception is its failure. Returns whether it passed."""
        start = time.monotonic()
        failure = None
        try:
            step()
        except AssertionError as e:
            failure = str(e) or "failed"
        except Exception:  # any other fault fails this case too, with its trace
            failure = traceback.format_exc()
        self.cases.append((suite, name, time.monotonic() - start, failure))
        status = "FAILED" if failure else "OK"
        print(f"[ {status:>6} ] {suite}.{name}" + (f"\n{failure}" if failure else ""), flush=True)
        return failure is None

    def fail(self, suite, name, message):
        self.cases.append((suite, name, 0.0, message))
        print(f"[ FAILED ] {suite}.{name}\n{message}", flush=True)

    def summary(self):
        return f"{len(self.cases) - self.failures} passed, {self.failures} failed"

    def write(self, path):
        suites = {}
        for case in self.cases:
            suites.setdefault(case[0], []).append(case)
        lines = ['<?xml version="1.0" encoding="UTF-8"?>',
                 f'<testsuites tests="{len(self.cases)}" failures="{self.failures}" errors="0" name="AllTests">']
        for suite, cases in suites.items():
            failed = sum(1 for case in cases if case[3] is not None)
            lines.append(f'  <testsuite name={quoteattr(suite)} tests="{len(cases)}" failures="{failed}" errors="0">')
            for _, name, seconds, failure in cases:
                head = (f'    <testcase name={quoteattr(name)} status="run" result="completed" '
                        f'time="{seconds:.3f}" classname={quoteattr(suite)}')
                if failure is None:
                    lines.append(head + " />")
                else:
                    first_line = failure.strip().splitlines()[0] if failure.strip() else "failed"
                    lines += [head + ">",
                              f"      <failure message={quoteattr(first_line)} type=\"\">{escape(failure)}</failure>",
                              "    </testcase>"]
            lines.append("  </testsuite>")
        lines.append("</testsuites>")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines) + "\n")
